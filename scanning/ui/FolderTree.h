#pragma once
// The folder tree of the scanning centre: folders only, under one "Desktop"
// node whose children are the home folder, the file system's root, the
// mounted removable volumes and the desktop folder's own subfolders.  Each
// of those branches is served by a QFileSystemModel of its own (it gathers
// and watches folders off the UI thread); FolderTreeModel joins them under
// the one Desktop node.

#include <QAbstractItemModel>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QString>
#include <QElapsedTimer>
#include <QTreeView>
#include <QHash>
#include <QPair>
#include <vector>

class QFileSystemModel;

class FolderTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct Branch {
        QString label;  // the node's caption
        QString path;   // the folder the branch shows
    };
    // `branches` are the Desktop node's own branches (home, root, volumes);
    // `desktopPath` the desktop folder, whose subfolders follow them.
    FolderTreeModel(const QString& desktopPath, const std::vector<Branch>& branches, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    QModelIndex desktopIndex() const;
    bool isDesktop(const QModelIndex& index) const;
    // The folder a node shows; the desktop folder for the Desktop node.
    QString filePath(const QModelIndex& index) const;
    // The node of a folder (under the branch that holds it most closely);
    // invalid when no branch holds it or it does not exist.
    QModelIndex indexOfPath(const QString& path) const;
    QString desktopPath() const { return m_roots[0].path; }

    // The standard branches: home, "/", and volumes under /media, /mnt and
    // /run/media.
    static std::vector<Branch> StandardBranches();
    static QString StandardDesktopPath();

private:
    struct Root {
        QString label;
        QString path;
        QFileSystemModel* fs = nullptr;
        QPersistentModelIndex rootIndex;
    };
    struct Node {
        int root = 0;
        QPersistentModelIndex source;
    };
    int extraRows() const { return static_cast<int>(m_roots.size()) - 1; }
    quintptr nodeId(int root, const QModelIndex& source) const;
    const Node* nodeOf(const QModelIndex& index) const;
    // The branch a node heads (0 the Desktop node), -1 for any other node.
    int branchOf(const QModelIndex& index) const;
    QModelIndex branchIndex(int root) const;
    // The branch and source index behind a node; false when it has none.
    bool sourceOf(const QModelIndex& index, int& root, QModelIndex& source) const;
    // The proxy index of a source index of root `root`; invalid when the
    // source lies outside the branch.
    QModelIndex fromSource(int root, const QModelIndex& source) const;
    bool underRoot(int root, const QModelIndex& source) const;
    void connectRoot(int root);

    std::vector<Root> m_roots;
    mutable std::vector<Node> m_nodes;
    mutable QHash<QPair<int, const void*>, quintptr> m_lookup;  // (root, source node) -> node id
    std::vector<bool> m_insertMapped, m_removeMapped;
    QModelIndexList m_layoutProxy;
    std::vector<std::pair<int, QPersistentModelIndex>> m_layoutSource;
    QIcon m_desktopIcon, m_homeIcon, m_driveIcon;
};

// The tree control: a folder tree with the selected folder as a path, the
// Desktop node as the text "Desktop".
class FolderTreeControl : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTreeControl(QWidget* parent = nullptr);
    // For tests: a tree over given branches.
    FolderTreeControl(const QString& desktopPath, const std::vector<FolderTreeModel::Branch>& branches,
                   QWidget* parent = nullptr);

    // The selected folder: "Desktop" for the Desktop node, else its path;
    // empty when nothing is selected.
    QString SelectedFolder() const;
    // Selects a folder ("Desktop" in any letter case for the Desktop node);
    // a folder that does not exist leaves the selection as it was.
    void SetSelectedFolder(const QString& folder);
    // The desktop folder's path.
    QString DesktopPath() const;
    FolderTreeModel* folderModel() const { return m_model; }

signals:
    void SelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void init();
    void revealSelection();
    FolderTreeModel* m_model = nullptr;
    // The folders load in the background: the selection made in code is
    // kept in view while they arrive, until the user takes over.
    QString m_revealPath;
    QElapsedTimer m_revealTimer;
    bool m_revealQueued = false;
};
