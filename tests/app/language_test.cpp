// The window in either language, and the window as a screen reader and a
// keyboard reach it: names of every control, the Tab chain, Esc.
#include "form_fixture.h"

#include "app/cash_rate_form.h"
#include "data/number_text.h"
#include "graphs/graphs_form.h"
#include "grids/rate_grid_form.h"
#include "settings/language.h"
#include "settings/options_form.h"
#include "shell/start_menu_tree_form.h"
#include "shell/startmenu_form.h"
#include "update/progress_form.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>
#include <set>

using namespace kestrum;
using namespace kestrum::test;

namespace {

// Every text a person reads or hears of a window, keyed by where it is.
std::map<QString, QString> Captions(QWidget* window) {
    std::map<QString, QString> texts;
    auto add = [&](const QWidget* w, const char* what, const QString& text) {
        if (!text.isEmpty())
            texts[w->objectName() + QLatin1Char('.') + QLatin1String(what) + QLatin1Char('@') +
                  QString::number(reinterpret_cast<quintptr>(w))] = text;
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(window) && w != window)
            continue;
        add(w, "title", w->isWindow() ? w->windowTitle() : QString());
        add(w, "tip", w->toolTip());
        add(w, "name", w->accessibleName());
        add(w, "description", w->accessibleDescription());
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(w, "text", button->text());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(w, "text", label->text());
        if (auto* box = qobject_cast<QGroupBox*>(w))
            add(w, "text", box->title());
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            add(w, "placeholder", edit->placeholderText());
    }
    return texts;
}

// The same in both languages by nature: numbers, letters, codes, the
// languages' own names and words French shares with English.
bool SameInBothLanguages(const QString& text) {
    static const std::set<QString> shared{
        QStringLiteral("Options"),  QStringLiteral("&Options"),       QStringLiteral("OK"),
        QStringLiteral("Date"),     QStringLiteral("Conversion"),     QStringLiteral("Source"),
        QStringLiteral("E&nglish"), QStringLiteral("F&ran\u00e7ais"), QStringLiteral("Kestrum")};
    // The product's name and version.
    if (shared.count(text) || text.startsWith(QLatin1String("Kestrum ")))
        return true;
    for (const QChar c : text)
        if (c.isLower())
            return false;
    return true; // "A", "1", ".", "4", "1.00", "CAD"
}

// What the English window says that the French one still says: should be
// nothing but the shared words.
QStringList EnglishLeft(const std::map<QString, QString>& english,
                        const std::map<QString, QString>& french) {
    QStringList left;
    for (const auto& [where, text] : english) {
        const auto found = french.find(where);
        if (found != french.end() && found->second == text && !SameInBothLanguages(text))
            left << where + QStringLiteral(": ") + text;
    }
    return left;
}

// Controls a screen reader reaches that it could not name.
QStringList Unnamed(QWidget* window) {
    static const std::set<QAccessible::Role> controls{
        QAccessible::PushButton,   QAccessible::CheckBox, QAccessible::RadioButton,
        QAccessible::EditableText, QAccessible::ComboBox, QAccessible::SpinBox,
        QAccessible::Table,        QAccessible::Graphic,  QAccessible::ButtonMenu,
        QAccessible::Grouping,     QAccessible::Tree};
    QStringList unnamed;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node,
                                                               int depth) {
        if (!node || depth > 12 || node->state().invisible)
            return;
        if (controls.count(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* object = node->object();
            unnamed << QStringLiteral("%1 (role %2)")
                           .arg(object ? object->objectName() : QStringLiteral("?"))
                           .arg(node->role());
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i), depth + 1);
    };
    walk(QAccessible::queryAccessibleInterface(window), 0);
    return unnamed;
}

} // namespace

class LanguageTest : public FormTest {
    Q_OBJECT

    void ClickLanguage(int language) {
        QTest::mouseClick(form->RadioItems[language], Qt::LeftButton);
        QCoreApplication::processEvents();
    }

private slots:
    // The switch changes every caption at once and keeps the pair and the
    // amount; the result comes back in the language's number form.
    void frenchLeavesNoEnglish() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        PickEntry(form->FromComboBox, 3);
        PickEntry(form->ToComboBox, 5);
        Type(form->SourceEdit, QStringLiteral("1234.5"));
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
        const QString englishResult = form->ConvertEdit->text();
        const auto english = Captions(form.get());

        ClickLanguage(kFrench);
        const QStringList left = EnglishLeft(english, Captions(form.get()));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
        QCOMPARE(form->FromComboBox->currentText(), NameOf(3, kFrench));
        QCOMPARE(form->ToComboBox->currentText(), NameOf(5, kFrench));
        QCOMPARE(form->SourceEdit->text(), QStringLiteral("1234,5"));
        QString expected = englishResult;
        expected.replace(QLatin1Char('.'), QLatin1Char(','));
        QCOMPARE(form->ConvertEdit->text(), expected);
        QCOMPARE(env->SavedConfig().Language, kFrench);

        // A decimal comma is read as one in French, the space groups.
        form->SourceEdit->clear();
        Type(form->SourceEdit, QStringLiteral("1 234,5"));
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
        QCOMPARE(form->ConvertEdit->text(), expected);

        ClickLanguage(kEnglish);
        QCOMPARE(form->SourceEdit->text(), QStringLiteral("1,234.5"));
        QCOMPARE(form->ConvertEdit->text(), englishResult);
        QCOMPARE(Captions(form.get()), english);
    }

    // The dialogs, made in French, keep no English either.
    void frenchDialogs_data() {
        QTest::addColumn<std::function<QWidget*()>>("make");
        QTest::newRow("options") << std::function<QWidget*()>([] { return new TOptionsForm; });
        QTest::newRow("cash rate") << std::function<QWidget*()>([] { return new TCashRateForm; });
        QTest::newRow("shortcuts") << std::function<QWidget*()>([] { return new TStartmenuForm; });
        QTest::newRow("menu folder")
            << std::function<QWidget*()>([] { return new TStartMenuTreeForm; });
        QTest::newRow("grid") << std::function<QWidget*()>([] {
            auto* grid = new TCRateForm;
            grid->DoUSGrid();
            return grid;
        });
        QTest::newRow("progress") << std::function<QWidget*()>([] { return new TProgressForm; });
        QTest::newRow("graphs") << std::function<QWidget*()>([] { return new TGraphsForm; });
    }
    void frenchDialogs() {
        QFETCH(std::function<QWidget*()>, make);
        std::unique_ptr<QWidget> englishWindow(make());
        const auto english = Captions(englishWindow.get());
        UseLanguage(kLanguageFrench);
        std::unique_ptr<QWidget> frenchWindow(make());
        // Object addresses differ between the two: compare by name and role.
        auto byName = [](const std::map<QString, QString>& texts) {
            std::map<QString, QString> named;
            for (const auto& [where, text] : texts)
                named[where.section(QLatin1Char('@'), 0, 0) + QLatin1Char('=') + text] = text;
            return named;
        };
        const QStringList left = EnglishLeft(byName(english), byName(Captions(frenchWindow.get())));
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char('\n'))));
    }

    // What AT-SPI exports is this tree: every control in it has a name.
    void everyControlNamed_data() {
        QTest::addColumn<std::function<QWidget*()>>("make");
        QTest::addColumn<int>("language");
        for (int language : {kEnglish, kFrench}) {
            const char* tag = language == kEnglish ? "en" : "fr";
            QTest::addRow("options %s", tag)
                << std::function<QWidget*()>([] { return new TOptionsForm; }) << language;
            QTest::addRow("cash rate %s", tag)
                << std::function<QWidget*()>([] { return new TCashRateForm; }) << language;
            QTest::addRow("shortcuts %s", tag)
                << std::function<QWidget*()>([] { return new TStartmenuForm; }) << language;
            QTest::addRow("menu folder %s", tag)
                << std::function<QWidget*()>([] { return new TStartMenuTreeForm; }) << language;
            QTest::addRow("grid %s", tag) << std::function<QWidget*()>([] {
                auto* grid = new TCRateForm;
                grid->DoCanGrid();
                return grid;
            }) << language;
            QTest::addRow("progress %s", tag)
                << std::function<QWidget*()>([] { return new TProgressForm; }) << language;
            QTest::addRow("graphs %s", tag)
                << std::function<QWidget*()>([] { return new TGraphsForm; }) << language;
        }
    }
    void everyControlNamed() {
        QFETCH(std::function<QWidget*()>, make);
        QFETCH(int, language);
        UseLanguage(language);
        std::unique_ptr<QWidget> window(make());
        window->show();
        const QStringList unnamed = Unnamed(window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }
    void mainWindowNamed() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        QCOMPARE(Unnamed(form.get()), QStringList());
        ClickLanguage(kFrench);
        QCOMPARE(Unnamed(form.get()), QStringList());
        QCOMPARE(form->CanGridButton->accessibleDescription(),
                 QStringLiteral("Taux par rapport au dollar canadien"));
    }

    // Tab reaches every control that takes the keyboard, in reading order,
    // and comes round again.
    void tabChain() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        form->DownloadButton->setEnabled(true);
        form->SourceEdit->setFocus();
        QList<QWidget*> expected;
        expected << form->SourceEdit << form->FromComboBox << form->ToComboBox
                 << form->PercentCheckBox << form->CashRateEdit << form->BitBtn2
                 << form->RadioItems[kEnglish] << form->CanGridButton << form->USGridButton
                 << form->dxButton1 << form->dxButton2 << form->DownloadButton << form->SourceEdit;
        QList<QWidget*> seen{QApplication::focusWidget()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << QApplication::focusWidget();
        }
        QCOMPARE(seen, expected);
    }

    // The access keys reach what their captions promise.
    void accessKeys_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("target");
        QTest::newRow("en from") << int(kEnglish) << int(Qt::Key_F) << "FromComboBox";
        QTest::newRow("en to") << int(kEnglish) << int(Qt::Key_T) << "ToComboBox";
        QTest::newRow("fr from") << int(kFrench) << int(Qt::Key_D) << "FromComboBox";
        QTest::newRow("fr to") << int(kFrench) << int(Qt::Key_E) << "ToComboBox";
    }
    void accessKeys() {
        QFETCH(int, language);
        QFETCH(int, key);
        QFETCH(QString, target);
        env->WriteRates(FullRateStore());
        form = env->Open();
        if (language == kFrench)
            ClickLanguage(kFrench);
        form->SourceEdit->setFocus();
        QTest::keyClick(form.get(), static_cast<Qt::Key>(key), Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), target);
    }

    // Every refusal of the amount reading rule comes in the window's
    // language; a message the rule words anew has no French and fails here.
    void amountMessagesFollowTheLanguage() {
        const std::vector<std::string> messages{kMultipleDotsMessage, kNonNumericMessage,
                                                kZeroMessage, kTooLongMessage,
                                                MisplacedGroupMessage()};
        for (const std::string& message : messages) {
            UseLanguage(kLanguageEnglish);
            QCOMPARE(AmountMessageText(message), QString::fromStdString(message));
            UseLanguage(kLanguageFrench);
            QVERIFY2(AmountMessageText(message) != QString::fromStdString(message),
                     message.c_str());
        }
        // The window says them so: "1 2,5" groups wrongly in French.
        env->WriteRates(FullRateStore());
        form = env->Open();
        ClickLanguage(kFrench);
        form->SourceEdit->clear();
        Type(form->SourceEdit, QStringLiteral("1 2,5"));
        QTest::keyClick(form->SourceEdit, Qt::Key_Return);
        QCOMPARE(env->messages.texts, QStringList{AmountMessageText(MisplacedGroupMessage())});
    }

    // Ctrl+A from anywhere selects the whole amount for typing over.
    void selectAllTakesTheAmount() {
        env->WriteRates(FullRateStore());
        form = env->Open();
        Type(form->SourceEdit, QStringLiteral("250"));
        form->ToComboBox->setFocus();
        QTest::keyClick(form->ToComboBox, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), form->SourceEdit);
        QCOMPARE(form->SourceEdit->selectedText(), QStringLiteral("250"));
        QTest::keyClick(form->SourceEdit, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(form->SourceEdit->selectedText(), QStringLiteral("250"));
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
