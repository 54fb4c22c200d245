#pragma once

#include "app/kestrum_form.h"
#include "data/rate_store.h"
#include "message_capture.h"
#include "settings/configuration.h"
#include "shell_folders.h"
#include "temp_dir.h"

#include <QObject>
#include <QStringList>
#include <memory>

class QComboBox;
class QWidget;

namespace kestrum::test {

// 3 June 2005, a Friday: the newest day of the rate fixtures unless a test
// needs today.
constexpr double kFixtureNewestDate = 38506.0;

// The newest rate of currency k in the fixtures. Exact binary fractions, all
// different, so a wrong index shows in the result; the U.S. dollar is 1.25.
double FixtureRate(int k);

// Five consecutive dated days ending at newestDate, with a rate for every
// currency. Older days carry other values, so taking the wrong day shows.
RateStore FullRateStore(double newestDate = kFixtureNewestDate);

// FullRateStore with every trace of the listed currencies removed.
RateStore RateStoreWithout(std::initializer_list<int> missing,
                           double newestDate = kFixtureNewestDate);

// The store as the program sees it after loading: current rates computed.
RateStore Loaded(RateStore store);

// What the window must show for an amount converted from a to b, taken from
// the core with the pinned locale.
QString ExpectedResult(const RateStore& loaded, const ConfigRecord& config, int a, int b,
                       double amount);

// Names of the currencies that have a current rate, in list order.
QStringList ListedNames(const RateStore& loaded, int language);

// Display name of a currency as the lists show it.
QString NameOf(int k, int language = 0);

// Everything one window test needs: an isolated program directory, captured
// messages, a watchdog for stray modal dialogs and fresh global state.
class FormEnvironment {
public:
    FormEnvironment();
    ~FormEnvironment();
    FormEnvironment(const FormEnvironment&) = delete;
    FormEnvironment& operator=(const FormEnvironment&) = delete;

    void WriteConfig(const ConfigRecord& record) const;
    void WriteRates(const RateStore& store) const;
    ConfigRecord SavedConfig() const;

    // Builds the window and, when asked, shows it and waits until it is
    // active (focus and window shortcuts need that).
    std::unique_ptr<TKestrumForm> Open(bool show = true);

    // Each time the window offered the shortcut dialog: whether the window
    // was on screen by then. The real dialog never opens here.
    QList<bool> shortcutOffersWhileShown;

    ScopedProgramDir dir;
    ScopedShellFolders shellFolders;
    MessageCapture messages;
    ModalWatchdog watchdog;
    // Off: the download timer's tick only disarms it, so window tests never
    // reach for the configured address. Download tests turn it on.
    bool downloads = false;
};

// Base of the window test classes: the locale is pinned, every test function
// gets a fresh environment, and a stray modal dialog fails the test. A test
// opens its window with `form = env->Open()`.
class FormTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<FormEnvironment> env;
    std::unique_ptr<TKestrumForm> form;

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};

// The user picks the entry at position index: a key press on the list, which
// reports the pick the way a mouse pick does.
void PickEntry(QComboBox* list, int index);

// Types text into a widget one key at a time.
void Type(QWidget* widget, const QString& text);

// Pastes text at the caret of a line edit, as the context menu would.
void Paste(class QLineEdit* edit, const QString& text);

} // namespace kestrum::test
