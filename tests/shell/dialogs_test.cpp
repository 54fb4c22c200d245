// The Start-menu folder chooser and the shortcut placement dialog, driven
// through their controls.
#include "message_capture.h"
#include "shell/shell_link.h"
#include "shell/start_menu_tree_form.h"
#include "shell/startmenu_form.h"
#include "shell_folders.h"
#include "when_shown.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <functional>

using namespace kestrum;
using namespace kestrum::test;

namespace {

void ClickNode(QTreeWidget* tree, QTreeWidgetItem* node) {
    tree->scrollToItem(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
}

QTreeWidgetItem* Node(QTreeWidget* tree, const QString& path) {
    QTreeWidgetItem* node = tree->topLevelItem(0);
    for (const QString& name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; node && i < node->childCount(); ++i)
            if (node->child(i)->text(0) == name)
                next = node->child(i);
        node = next;
    }
    return node;
}

} // namespace

class ShellDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScopedShellFolders> folders;
    std::unique_ptr<MessageCapture> messages;
    std::unique_ptr<ModalWatchdog> watchdog; // backstop: a forgotten dialog fails, never hangs
    QString menu;

    void MakeFolders(std::initializer_list<const char*> paths) {
        for (const char* path : paths)
            QDir(menu).mkpath(QLatin1String(path));
    }

private slots:
    void init() {
        folders = std::make_unique<ScopedShellFolders>();
        messages = std::make_unique<MessageCapture>();
        watchdog = std::make_unique<ModalWatchdog>(3000);
        menu = ReadStartMenuFolder();
    }
    void cleanup() {
        QVERIFY(watchdog->unexpected.isEmpty());
        watchdog.reset();
        messages.reset();
        folders.reset();
    }

    void chooserTree();
    void chosenFolder_data();
    void chosenFolder();
    void newFolder();
    void emptyStartMenu();
    void okFollowsTheBoxes();
    void linksThenChooser_data();
    void linksThenChooser();
    void unknownStartMenu();
};

void ShellDialogsTest::chooserTree() {
    MakeFolders({"Programs/Startup"});
    TStartMenuTreeForm chooser;
    chooser.CreateTreeView(menu);
    QTreeWidgetItem* root = chooser.TreeView->topLevelItem(0);
    QCOMPARE(chooser.TreeView->topLevelItemCount(), 1);
    QCOMPARE(root->text(0), menu);
    QVERIFY(root->isExpanded());
    QCOMPARE(root->childCount(), 1);
    QTreeWidgetItem* programs = root->child(0);
    QCOMPARE(programs->text(0), QStringLiteral("Programs"));
    QVERIFY(programs->isExpanded());
    QCOMPARE(programs->childCount(), 1);
    QVERIFY(!programs->child(0)->isExpanded());
    QCOMPARE(chooser.TreeView->selectedItems(), QList<QTreeWidgetItem*>{root});
    QCOMPARE(chooser.Edit->text(), menu);
}

void ShellDialogsTest::chosenFolder_data() {
    QTest::addColumn<QString>("click");
    QTest::addColumn<int>("downKeys");
    QTest::addColumn<QString>("shown"); // below the Start-menu folder
    QTest::addColumn<QString>("chosen");
    QTest::newRow("root") << "" << 0 << ""
                          << "";
    QTest::newRow("child") << "Programs" << 0 << "/Programs"
                           << "Programs";
    QTest::newRow("grandchild") << "Programs/Startup" << 0 << "/Programs/Startup"
                                << "Programs/Startup";
    QTest::newRow("great-grandchild") << "Programs/Startup/Deep" << 0 << "/Programs/Startup/Deep"
                                      << "Programs/Startup/Deep";
    QTest::newRow("arrow keys leave the edit") << "Programs" << 1 << "/Programs"
                                               << "Programs/Startup";
}

void ShellDialogsTest::chosenFolder() {
    QFETCH(QString, click);
    QFETCH(int, downKeys);
    QFETCH(QString, shown);
    QFETCH(QString, chosen);
    MakeFolders({"Programs/Startup/Deep"});
    TStartMenuTreeForm chooser;
    chooser.CreateTreeView(menu);
    chooser.ExpandButton->click();
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    if (!click.isEmpty())
        ClickNode(chooser.TreeView, Node(chooser.TreeView, click));
    for (int i = 0; i < downKeys; ++i)
        QTest::keyClick(chooser.TreeView, Qt::Key_Down);
    QCOMPARE(chooser.Edit->text(), menu + shown);
    QTest::mouseClick(chooser.AcceptButton, Qt::LeftButton);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.ChosenFolder(), chosen);
}

void ShellDialogsTest::newFolder() {
    MakeFolders({"Programs"});
    TStartMenuTreeForm chooser;
    chooser.CreateTreeView(menu);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QTest::keyClicks(chooser.NewFolderEdit, QStringLiteral("Ne\\w/:*?\"<>|s"));
    QCOMPARE(chooser.NewFolderEdit->text(), QStringLiteral("News"));
    QTest::keyClick(chooser.NewFolderEdit, Qt::Key_Return);
    QVERIFY(QFileInfo(menu + QStringLiteral("/News")).isDir());
    QTreeWidgetItem* root = chooser.TreeView->topLevelItem(0);
    QCOMPARE(root->childCount(), 2);
    QCOMPARE(chooser.TreeView->selectedItems().value(0), Node(chooser.TreeView, "News"));
    QCOMPARE(chooser.Edit->text(), menu + QStringLiteral("/News"));
    QCOMPARE(chooser.NewFolderEdit->text(), QStringLiteral("News"));

    // The same name below the root again: no second node, no message.
    ClickNode(chooser.TreeView, root);
    chooser.CreateFolderButton->click();
    QCOMPARE(root->childCount(), 2);
    QVERIFY(messages->texts.isEmpty());

    // A folder gone from disk since the tree was read: the system's refusal.
    QDir(menu + QStringLiteral("/Programs")).removeRecursively();
    ClickNode(chooser.TreeView, Node(chooser.TreeView, "Programs"));
    chooser.CreateFolderButton->click();
    QCOMPARE(messages->texts,
             QStringList{QStringLiteral("Win32 Error.  Code: 2.\nNo such file or directory")});
    QCOMPARE(messages->kinds.value(0), MessageBoxes::Kind::Error);
    QCOMPARE(Node(chooser.TreeView, "Programs")->childCount(), 0);

    // A pasted separator never reaches outside the Start menu.
    ClickNode(chooser.TreeView, Node(chooser.TreeView, "News"));
    chooser.NewFolderEdit->setText(QStringLiteral("../../Escaped"));
    chooser.CreateFolderButton->click();
    QVERIFY(!QFileInfo::exists(menu + QStringLiteral("/../Escaped")));
    QCOMPARE(Node(chooser.TreeView, "News")->childCount(), 0);
}

void ShellDialogsTest::emptyStartMenu() {
    TStartMenuTreeForm chooser;
    chooser.CreateTreeView(menu);
    QCOMPARE(chooser.TreeView->topLevelItem(0)->childCount(), 0);
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    chooser.CollapseButton->click();
    chooser.ExpandButton->click();
    ClickNode(chooser.TreeView, chooser.TreeView->topLevelItem(0));
    QCOMPARE(chooser.Edit->text(), menu);
    chooser.AcceptButton->click();
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.ChosenFolder(), QString());
}

void ShellDialogsTest::okFollowsTheBoxes() {
    TStartmenuForm dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.StartmenuCheckBox->isChecked() && dialog.OKButton->isEnabled());
    const struct {
        QCheckBox* box;
        bool okEnabled;
    } steps[] = {
        {dialog.StartmenuCheckBox, false},   {dialog.DesktopCheckBox, true},
        {dialog.QuicklaunchCheckBox, true},  {dialog.DesktopCheckBox, true},
        {dialog.QuicklaunchCheckBox, false}, {dialog.QuicklaunchCheckBox, true},
    };
    for (const auto& step : steps) {
        QTest::mouseClick(step.box, Qt::LeftButton, {}, QPoint(8, step.box->height() / 2));
        QCOMPARE(dialog.OKButton->isEnabled(), step.okEnabled);
    }
}

void ShellDialogsTest::linksThenChooser_data() {
    QTest::addColumn<bool>("allThree");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("files");
    const QString desktop = QStringLiteral("Desktop/Kestrum.desktop");
    const QString startMenu = QStringLiteral("data/applications/Programs/Kestrum.desktop");
    QTest::newRow("initial state, accepted") << false << true << QStringList{startMenu};
    QTest::newRow("all three, accepted") << true << true << QStringList{desktop, startMenu};
    QTest::newRow("all three, chooser cancelled") << true << false << QStringList{desktop};
}

void ShellDialogsTest::linksThenChooser() {
    QFETCH(bool, allThree);
    QFETCH(bool, accept);
    QFETCH(QStringList, files);
    MakeFolders({"Programs"});
    TStartmenuForm dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (allThree) {
        QTest::mouseClick(dialog.QuicklaunchCheckBox, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(dialog.DesktopCheckBox, Qt::LeftButton, {}, QPoint(8, 8));
    }
    QStringList filesWhenChooserOpened;
    QWidget* chooserOwner = nullptr;
    WhenShown<TStartMenuTreeForm>([&](TStartMenuTreeForm* chooser) {
        filesWhenChooserOpened = folders->Files();
        chooserOwner = chooser->parentWidget();
        ClickNode(chooser->TreeView, Node(chooser->TreeView, "Programs"));
        (accept ? chooser->AcceptButton : chooser->CancelButton)->click();
    });
    QTest::mouseClick(dialog.OKButton, Qt::LeftButton);

    QCOMPARE(chooserOwner, &dialog);
    QCOMPARE(filesWhenChooserOpened,
             allThree ? QStringList{QStringLiteral("Desktop/Kestrum.desktop")} : QStringList());
    QCOMPARE(folders->Files(), files);
    QVERIFY(!dialog.isVisible());
    QVERIFY(messages->texts.isEmpty());
}

void ShellDialogsTest::unknownStartMenu() {
    // The applications directory cannot be made below a plain file.
    QDir(menu).removeRecursively();
    const QString data = QFileInfo(menu).path();
    QDir(data).removeRecursively();
    QFile(data).open(QIODevice::WriteOnly);
    TStartmenuForm dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.DesktopCheckBox, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    QCOMPARE(messages->texts,
             QStringList{QStringLiteral("Windows returned an error when trying to locate the "
                                        "Start Menu directory.  The link to this program was not "
                                        "created.")});
    QCOMPARE(folders->Files(),
             (QStringList{QStringLiteral("Desktop/Kestrum.desktop"), QStringLiteral("data")}));
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(ShellDialogsTest)
#include "dialogs_test.moc"
