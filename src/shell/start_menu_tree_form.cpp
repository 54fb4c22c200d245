#include "start_menu_tree_form.h"

#include "shell_link.h"
#include "start_menu_folders.h"
#include "widgets/dialog_parts.h"
#include "widgets/message_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace kestrum {

namespace {

const QString kRefusedInNames = QStringLiteral("\\/:*?\"<>|");
const QColor kFolderYellow(0xf0, 0xc8, 0x40);
const QColor kFolderEdge(0x90, 0x70, 0x10);

// 16 x 16 folders on black, which the mask turns transparent. Drawn without
// smoothing so no near-black edge survives the mask.
QPixmap FolderPicture(bool open) {
    QPixmap picture(16, 16);
    picture.fill(Qt::black);
    QPainter p(&picture);
    p.setPen(kFolderEdge);
    p.setBrush(kFolderYellow);
    p.drawRect(1, 2, 5, 2);
    if (open) {
        p.drawRect(1, 4, 12, 9);
        p.setBrush(kFolderYellow.lighter(125));
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    } else {
        p.drawRect(1, 4, 13, 9);
    }
    p.end();
    picture.setMask(picture.createMaskFromColor(Qt::black));
    return picture;
}

QLabel* Text(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    return label;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TStartMenuTreeForm::TStartMenuTreeForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StartMenuTreeForm"));
#ifdef Q_OS_WIN
    const QString menu = QStringLiteral("the Windows Start menu");
    setWindowTitle(QStringLiteral(
        "Choose a folder on the Start Menu in which to place the link to this program..."));
#else
    const QString menu = tr("your applications menu");
    setWindowTitle(tr("Choose a folder of the applications menu in which to place the link to this "
                      "program..."));
#endif
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(536, 433);
    UseToolTipColours(this);

    Memo1 =
        ReadOnlyMemo(this, "Memo1", QRect(8, 8, 520, 58),
                     tr("Choose the folder on %1 where you would like to\n"
                        "place the link to be used in starting this program.  Click the folder to\n"
                        "highlight it blue, and then press the ACCEPT button to create the link.")
                         .arg(menu)
                         .split(QLatin1Char('\n')));

    Edit = new QLineEdit(this);
    Edit->setObjectName(QStringLiteral("Edit"));
    Edit->setGeometry(8, 70, 520, 22);
    Edit->setReadOnly(true);
    Edit->setFrame(false);
    Edit->setFocusPolicy(Qt::NoFocus);
    Memo1->setAccessibleName(tr("How to choose a folder"));
    Edit->setAccessibleName(tr("Chosen folder"));

    TreeView = new QTreeWidget(this);
    TreeView->setObjectName(QStringLiteral("TreeView"));
    TreeView->setGeometry(8, 98, 360, 290);
    TreeView->setHeaderHidden(true);
    TreeView->setAccessibleName(tr("Folders of the applications menu"));
    TreeView->setIndentation(19);
    TreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView->viewport()->installEventFilter(this);

    StaticText1 = Text(this, "StaticText1", tr("The buttons below"), 384, 100);
    StaticText2 = Text(this, "StaticText2", tr("can be used to alter"), 384, 118);
    StaticText3 = Text(this, "StaticText3", tr("the display to the left"), 384, 136);
    CollapseButton = Button(this, "CollapseButton", tr("C&ollapse"), QRect(384, 162, 144, 28));
    ExpandButton = Button(this, "ExpandButton", tr("&Expand"), QRect(384, 198, 144, 28));
    StaticText4 = Text(this, "StaticText4", tr("&New Folder Name"), 384, 256);
    NewFolderEdit = new QLineEdit(this);
    NewFolderEdit->setObjectName(QStringLiteral("NewFolderEdit"));
    NewFolderEdit->setGeometry(384, 276, 144, 24);
    StaticText4->setBuddy(NewFolderEdit);
    NewFolderEdit->installEventFilter(this);
    CreateFolderButton =
        Button(this, "CreateFolderButton", tr("C&reate New Folder"), QRect(384, 306, 144, 28));
    AcceptButton = Button(this, "AcceptButton", tr("&Accept"), QRect(120, 396, 121, 30));
    CancelButton = Button(this, "CancelButton", tr("Cancel"), QRect(296, 396, 121, 30));

    connect(AcceptButton, &QPushButton::clicked, this, &TStartMenuTreeForm::AcceptButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TStartMenuTreeForm::CancelButtonClick);
    connect(CollapseButton, &QPushButton::clicked, this, &TStartMenuTreeForm::CollapseButtonClick);
    connect(ExpandButton, &QPushButton::clicked, this, &TStartMenuTreeForm::ExpandButtonClick);
    connect(CreateFolderButton, &QPushButton::clicked, this,
            &TStartMenuTreeForm::CreateFolderButtonClick);

    FormCreate();
}

void TStartMenuTreeForm::FormCreate() {
    m_chosenFolder.clear();
}

void TStartMenuTreeForm::CreateTreeView(const QString& folder) {
    TreeView->clear();
    QTreeWidgetItem* root = AddNode(nullptr, folder);
    // The whole tree is read before the dialog shows; nothing is read lazily.
    AddFolders(ReadFolderTree(folder), root);
    root->setExpanded(true);
    if (root->childCount() > 0)
        root->child(0)->setExpanded(true);
    Select(root);
    ShowPath(root);
}

void TStartMenuTreeForm::AddFolders(const std::vector<FolderNode>& folders,
                                    QTreeWidgetItem* parent) {
    for (const FolderNode& folder : folders)
        AddFolders(folder.children, AddNode(parent, folder.name));
}

QTreeWidgetItem* TStartMenuTreeForm::AddNode(QTreeWidgetItem* parent, const QString& text) {
    static const QIcon images = [] {
        QIcon icon(FolderPicture(false));
        icon.addPixmap(FolderPicture(true), QIcon::Selected);
        return icon;
    }();
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TreeView);
    node->setText(0, text);
    node->setIcon(0, images);
    return node;
}

QTreeWidgetItem* TStartMenuTreeForm::Root() const {
    return TreeView->topLevelItem(0);
}

QTreeWidgetItem* TStartMenuTreeForm::Selected() const {
    const QList<QTreeWidgetItem*> selected = TreeView->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void TStartMenuTreeForm::Select(QTreeWidgetItem* node) {
    TreeView->setCurrentItem(node);
    node->setSelected(true);
}

QString TStartMenuTreeForm::TracePath(const QTreeWidgetItem* node, QString text) const {
    const QString rootText = Root()->text(0);
    do {
        text = node->parent()->text(0) + QLatin1Char(kFolderSeparator) + text;
        node = node->parent();
    } while (node->parent() && node->parent()->text(0) != rootText);
    return text;
}

QString TStartMenuTreeForm::PathOf(const QTreeWidgetItem* node, bool relative) const {
    const QString root = relative ? QString() : Root()->text(0) + QLatin1Char(kFolderSeparator);
    if (!node->parent())
        return relative ? QString() : Root()->text(0);
    if (node->parent() == Root())
        return root + node->text(0);
    return root + TracePath(node, node->text(0));
}

void TStartMenuTreeForm::ShowPath(const QTreeWidgetItem* node) {
    Edit->setText(DisplayedPath(PathOf(node, false)));
}

void TStartMenuTreeForm::TreeViewClick() {
    AcceptButton->setEnabled(Selected() != nullptr);
    if (!Selected() && Root() && Root()->childCount() > 0)
        Select(Root()->child(0));
    if (const QTreeWidgetItem* node = Selected())
        ShowPath(node);
}

void TStartMenuTreeForm::AcceptButtonClick() {
    // Nothing selected counts as the Start-menu folder itself.
    if (const QTreeWidgetItem* node = Selected())
        m_chosenFolder = PathOf(node, true);
    accept();
}

void TStartMenuTreeForm::CancelButtonClick() {
    reject();
}

void TStartMenuTreeForm::CollapseButtonClick() {
    TreeView->collapseAll();
    QTreeWidgetItem* root = Root();
    if (root->childCount() > 0)
        root->child(0)->setExpanded(true);
    root->setExpanded(true);
    Select(root);
    ShowPath(root);
}

void TStartMenuTreeForm::ExpandButtonClick() {
    TreeView->expandAll();
    if (const QTreeWidgetItem* node = Selected())
        TreeView->scrollToItem(node, QAbstractItemView::PositionAtTop);
}

void TStartMenuTreeForm::CreateFolderButtonClick() {
    CreatenewStartmenuFolder();
}

// Returns true when the key is to be discarded.
bool TStartMenuTreeForm::NewFolderEditKeyPress(QChar key) {
    if (key == QChar(13)) {
        CreatenewStartmenuFolder();
        return true;
    }
    return kRefusedInNames.contains(key);
}

void TStartMenuTreeForm::CreatenewStartmenuFolder() {
    const QString name = NewFolderEdit->text();
    if (name.isEmpty())
        return;
    // A pasted name can carry what typing refuses; with a separator it would
    // reach outside the Start menu.
    if (std::any_of(name.begin(), name.end(), [](QChar c) { return kRefusedInNames.contains(c); }))
        return;
    QTreeWidgetItem* parent = Selected() ? Selected() : Root();
    const QString path = PathOf(parent, false) + QLatin1Char(kFolderSeparator) + name;
    if (IsDirectory(path))
        return;
    if (const int code = MakeFolder(path)) {
        Messages().Error(this, FolderErrorText(code));
        return;
    }
    QTreeWidgetItem* node = AddNode(parent, name);
    parent->setExpanded(true);
    TreeView->clearSelection();
    Select(node);
    ShowPath(node);
    TreeView->setFocus();
}

bool TStartMenuTreeForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == NewFolderEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return NewFolderEditKeyPress(QChar(13));
        if (key->text().size() == 1)
            return NewFolderEditKeyPress(key->text().front());
    } else if (watched == TreeView->viewport() && event->type() == QEvent::MouseButtonRelease) {
        TreeViewClick();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrum
