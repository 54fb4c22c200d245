#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrum {

struct FolderNode;

// Lets the user pick, or make, a folder below the Start-menu folder.
class TStartMenuTreeForm : public QDialog {
    Q_OBJECT
public:
    explicit TStartMenuTreeForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QLineEdit* Edit = nullptr;
    QTreeWidget* TreeView = nullptr;
    QPushButton* AcceptButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QLabel* StaticText4 = nullptr;
    QLineEdit* NewFolderEdit = nullptr;
    QPushButton* CreateFolderButton = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    QPushButton* CollapseButton = nullptr;
    QPushButton* ExpandButton = nullptr;

    // Fills the tree from the Start-menu folder; called once before showing.
    void CreateTreeView(const QString& folder);

    // Set by Accept: empty for the Start-menu folder itself, else the path
    // below it.
    QString ChosenFolder() const { return m_chosenFolder; }

    // The node's path below the root, for nodes deeper than the root's children.
    QString TracePath(const QTreeWidgetItem* node, QString text) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void AddFolders(const std::vector<FolderNode>& folders, QTreeWidgetItem* parent);
    QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& text);
    QTreeWidgetItem* Root() const;
    QTreeWidgetItem* Selected() const;
    // The node's full path, or its path below the root when relative.
    QString PathOf(const QTreeWidgetItem* node, bool relative) const;
    void ShowPath(const QTreeWidgetItem* node);
    void Select(QTreeWidgetItem* node);

    void TreeViewClick();
    void AcceptButtonClick();
    void CancelButtonClick();
    void CollapseButtonClick();
    void ExpandButtonClick();
    void CreateFolderButtonClick();
    bool NewFolderEditKeyPress(QChar key);
    void CreatenewStartmenuFolder();

    QString m_chosenFolder;
};

} // namespace kestrum
