// The Start-menu folder chooser and the shortcut placement dialog, driven
// through their controls.
#include "message_capture.h"
#include "shell/shell_link.h"
#include "shell/start_menu_folders.h"
#include "shell/start_menu_tree_form.h"
#include "shell/startmenu_form.h"
#include "shell_folders.h"
#include "when_shown.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

using namespace kestrum;
using namespace kestrum::test;

namespace {

// The node at a path below the root ("" for the root), or null.
QTreeWidgetItem* Node(QTreeWidget* tree, const QString& path) {
    QTreeWidgetItem* node = tree->topLevelItem(0);
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* parent = std::exchange(node, nullptr);
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == name)
                node = parent->child(i);
    }
    return node;
}

void Click(QTreeWidget* tree, const QString& path) {
    tree->scrollToItem(Node(tree, path));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(Node(tree, path)).center());
}

void Check(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

struct Environment {
    ScopedShellFolders folders;
    MessageCapture messages;
    ModalWatchdog watchdog{3000}; // a forgotten dialog fails the test, never hangs it
};

} // namespace

class ShellDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Environment> env;
    QString menu;

private slots:
    void init() {
        env = std::make_unique<Environment>();
        menu = ReadStartMenuFolder();
        QDir(menu).mkpath(QStringLiteral("Programs/Startup/Deep"));
        // Not shown: dot names, files and a link back up the tree (read once, not forever).
        QDir(menu).mkpath(QStringLiteral(".hidden/Inside"));
        QFile(menu + QStringLiteral("/file")).open(QIODevice::WriteOnly);
        QFile::link(menu, menu + QStringLiteral("/Programs/Startup/Deep/Loop"));
    }
    void cleanup() {
        QVERIFY(env->watchdog.unexpected.isEmpty());
        env.reset();
    }

    void chosenFolder() {
        const struct {
            const char *click, *shown, *chosen; // shown: after the Start-menu path
            int downKeys = 0;
        } cases[] = {
            {"", "", ""},
            {"Programs", "/Programs", "Programs"},
            {"Programs/Startup", "/Programs/Startup", "Programs/Startup"},
            {"Programs/Startup/Deep", "/Programs/Startup/Deep", "Programs/Startup/Deep"},
            {"Programs", "/Programs", "Programs/Startup", 1}, // keys leave the edit alone
        };
        for (const auto& c : cases) {
            TStartMenuTreeForm chooser;
            chooser.CreateTreeView(menu);
            // As opened: the root selected and shown, it and its first child expanded.
            QCOMPARE(chooser.TreeView->selectedItems(), QList{Node(chooser.TreeView, "")});
            QCOMPARE(chooser.Edit->text(), menu);
            QCOMPARE(Node(chooser.TreeView, "")->childCount(), 1);
            QCOMPARE(Node(chooser.TreeView, "Programs/Startup/Deep")->childCount(), 0);
            QVERIFY(Node(chooser.TreeView, "Programs")->isExpanded());
            QVERIFY(!Node(chooser.TreeView, "Programs/Startup")->isExpanded());
            chooser.show();
            QVERIFY(QTest::qWaitForWindowExposed(&chooser));
            chooser.ExpandButton->click();
            Click(chooser.TreeView, QLatin1String(c.click));
            for (int i = 0; i < c.downKeys; ++i)
                QTest::keyClick(chooser.TreeView, Qt::Key_Down);
            QCOMPARE(chooser.Edit->text(), menu + QLatin1String(c.shown));
            QTest::mouseClick(chooser.AcceptButton, Qt::LeftButton);
            QCOMPARE(chooser.result(), int(QDialog::Accepted));
            QCOMPARE(chooser.ChosenFolder(), QLatin1String(c.chosen));
        }
    }

    void emptyStartMenu() {
        QDir(menu + QStringLiteral("/Programs")).removeRecursively();
        TStartMenuTreeForm chooser;
        chooser.CreateTreeView(menu);
        chooser.CollapseButton->click();
        chooser.ExpandButton->click();
        chooser.AcceptButton->click();
        QCOMPARE(Node(chooser.TreeView, "")->childCount(), 0);
        QCOMPARE(chooser.ChosenFolder(), QString());
    }

    void newFolder() {
        TStartMenuTreeForm chooser;
        chooser.CreateTreeView(menu);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTest::keyClicks(chooser.NewFolderEdit, QStringLiteral("Ne\\w/:*?\"<>|s\r"));
        QCOMPARE(chooser.NewFolderEdit->text(), QStringLiteral("News"));
        QVERIFY(QFileInfo(menu + QStringLiteral("/News")).isDir());
        QCOMPARE(chooser.TreeView->selectedItems(), QList{Node(chooser.TreeView, "News")});
        QCOMPARE(chooser.Edit->text(), menu + QStringLiteral("/News"));

        Click(chooser.TreeView, ""); // exists: no second node, no message
        chooser.CreateFolderButton->click();
        QCOMPARE(Node(chooser.TreeView, "")->childCount(), 2);
        chooser.NewFolderEdit->setText(QStringLiteral("../Escaped")); // pasted
        chooser.CreateFolderButton->click();
        QVERIFY(!QFileInfo::exists(menu + QStringLiteral("/../Escaped")));
        QVERIFY(env->messages.texts.isEmpty());

        QDir(menu + QStringLiteral("/Programs")).removeRecursively(); // gone since read
        Click(chooser.TreeView, "Programs/Startup");
        chooser.NewFolderEdit->setText(QStringLiteral("News"));
        chooser.CreateFolderButton->click();
        QCOMPARE(env->messages.texts,
                 QStringList{QStringLiteral(
                     "The folder was not made.  Code: 2.\nNo such file or directory")});
        QCOMPARE(Node(chooser.TreeView, "Programs/Startup")->childCount(), 1);
    }

    void okFollowsTheBoxes() {
        TStartmenuForm dialog;
        dialog.show();
        QVERIFY(dialog.StartmenuCheckBox->isChecked() && dialog.OKButton->isEnabled());
        for (const auto& [box, enabled] : {std::pair{dialog.StartmenuCheckBox, false},
                                           {dialog.DesktopCheckBox, true},
                                           {dialog.StartmenuCheckBox, true},
                                           {dialog.DesktopCheckBox, true},
                                           {dialog.StartmenuCheckBox, false}}) {
            Check(box);
            QCOMPARE(dialog.OKButton->isEnabled(), enabled);
        }
    }

    // Here the dialogs speak of the applications menu and desktop entries,
    // and offer no box that would make nothing.
    void textsDescribeThisPlatform() {
        TStartmenuForm dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(!dialog.QuicklaunchCheckBox->isVisible());
        QCOMPARE(dialog.DesktopCheckBox->y() - dialog.StartmenuCheckBox->y(), 26);
        QVERIFY(dialog.DesktopCheckBox->geometry().bottom() < dialog.OKButton->y());
        QCOMPARE(dialog.Memo1->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(dialog.Memo1->verticalScrollBar()->maximum(), 0);
        TStartMenuTreeForm chooser;
        const QString texts = QStringList{dialog.windowTitle(),
                                          dialog.Memo1->toPlainText(),
                                          dialog.StartmenuCheckBox->text(),
                                          dialog.DesktopCheckBox->text(),
                                          chooser.windowTitle(),
                                          chooser.Memo1->toPlainText(),
                                          FolderErrorText(2)}
                                  .join(QLatin1Char('\n'));
        for (const char* word : {"Windows", "Win32", "Start Menu", "Quick Launch", "recycle",
                                 "Explorer", "right click"})
            QVERIFY2(!texts.contains(QLatin1String(word), Qt::CaseInsensitive), word);
        QVERIFY(texts.contains(QLatin1String("applications menu")));
        QVERIFY(texts.contains(QLatin1String("Kestrum.desktop")));
    }

    void linksThenChooser() {
        const QString desktop = QStringLiteral("Desktop/Kestrum.desktop");
        const QString inMenu = QStringLiteral("data/applications/Programs/Kestrum.desktop");
        const struct {
            bool allThree, accept;
            QStringList files;
        } cases[] = {
            {false, true, {inMenu}}, {true, true, {desktop, inMenu}}, {true, false, {desktop}}};
        for (const auto& c : cases) {
            QDir root = QFileInfo(env->folders.Desktop()).dir();
            for (const QString& file : env->folders.Files()) // the previous case's links
                root.remove(file);
            TStartmenuForm dialog;
            dialog.show();
            if (c.allThree)
                Check(dialog.DesktopCheckBox);
            QStringList filesWhenChooserOpened;
            bool ownedByDialog = false;
            WhenShown<TStartMenuTreeForm>([&](TStartMenuTreeForm* chooser) {
                filesWhenChooserOpened = env->folders.Files();
                ownedByDialog = chooser->parentWidget() == &dialog;
                Click(chooser->TreeView, "Programs");
                (c.accept ? chooser->AcceptButton : chooser->CancelButton)->click();
            });
            QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
            QVERIFY(ownedByDialog && !dialog.isVisible());
            QCOMPARE(filesWhenChooserOpened, c.files.mid(0, c.allThree ? 1 : 0));
            QCOMPARE(env->folders.Files(), c.files);
        }
    }
};

QTEST_MAIN(ShellDialogsTest)
#include "dialogs_test.moc"
