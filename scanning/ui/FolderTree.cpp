#include "scanning/ui/FolderTree.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTimer>
#include <algorithm>

namespace {
QString CleanPath(const QString& path) {
    QString p = QDir::cleanPath(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/'))) p.chop(1);
    return p;
}

// `path` lies in `folder` or is it.
bool PathIn(const QString& path, const QString& folder) {
    if (folder == QLatin1String("/")) return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}
}  // namespace

// ---- the model ----------------------------------------------------------------

std::vector<FolderTreeModel::Branch> FolderTreeModel::StandardBranches() {
    std::vector<Branch> branches;
    branches.push_back({QStringLiteral("Home"), CleanPath(QDir::homePath())});
    branches.push_back({QStringLiteral("File System"), QStringLiteral("/")});
    QStringList seen;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = CleanPath(volume.rootPath());
        if (!(root.startsWith(QLatin1String("/media/")) || root.startsWith(QLatin1String("/mnt/")) ||
              root.startsWith(QLatin1String("/run/media/"))))
            continue;
        if (seen.contains(root) || !QFileInfo(root).isDir()) continue;
        seen.push_back(root);
        QString label = volume.displayName();
        if (label.isEmpty()) label = root;
        branches.push_back({label, root});
    }
    return branches;
}

QString FolderTreeModel::StandardDesktopPath() {
    return CleanPath(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

FolderTreeModel::FolderTreeModel(const QString& desktopPath, const std::vector<Branch>& branches, QObject* parent)
    : QAbstractItemModel(parent) {
    QFileIconProvider icons;
    m_desktopIcon = QIcon::fromTheme(QStringLiteral("user-desktop"), icons.icon(QFileIconProvider::Desktop));
    m_homeIcon = QIcon::fromTheme(QStringLiteral("user-home"), icons.icon(QFileIconProvider::Folder));
    m_driveIcon = icons.icon(QFileIconProvider::Drive);

    m_roots.push_back({QStringLiteral("Desktop"), CleanPath(desktopPath), nullptr, {}});
    for (const Branch& b : branches) m_roots.push_back({b.label, CleanPath(b.path), nullptr, {}});
    for (size_t r = 0; r < m_roots.size(); ++r) {
        Root& root = m_roots[r];
        root.fs = new QFileSystemModel(this);
        root.fs->setReadOnly(true);
        root.fs->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
        root.fs->setOption(QFileSystemModel::DontUseCustomDirectoryIcons, true);
        if (!root.path.isEmpty() && QFileInfo(root.path).isDir()) {
            root.fs->setRootPath(root.path);
            root.rootIndex = root.fs->index(root.path);
        }
        connectRoot(static_cast<int>(r));
    }
}

FolderTreeModel::~FolderTreeModel() = default;

namespace {
constexpr quintptr kDesktopId = ~quintptr(0);
}

quintptr FolderTreeModel::nodeId(int root, const QModelIndex& source) const {
    const QPair<int, const void*> key(root, source.internalPointer());
    auto it = m_lookup.find(key);
    if (it != m_lookup.end()) {
        Node& node = m_nodes[it.value()];
        // A source node that went away may have left its address to a new one.
        if (node.source != source) node.source = source;
        return it.value();
    }
    m_nodes.push_back({root, QPersistentModelIndex(source)});
    const quintptr id = m_nodes.size() - 1;
    m_lookup.insert(key, id);
    return id;
}

const FolderTreeModel::Node* FolderTreeModel::nodeOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() >= m_nodes.size()) return nullptr;
    return &m_nodes[index.internalId()];
}

int FolderTreeModel::branchOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this) return -1;
    const quintptr id = index.internalId();
    if (id == kDesktopId) return 0;
    const quintptr r = kDesktopId - id;
    return r >= 1 && r < m_roots.size() ? static_cast<int>(r) : -1;
}

QModelIndex FolderTreeModel::branchIndex(int root) const {
    if (root == 0) return desktopIndex();
    return createIndex(root - 1, 0, kDesktopId - quintptr(root));
}

bool FolderTreeModel::sourceOf(const QModelIndex& index, int& root, QModelIndex& source) const {
    const int branch = branchOf(index);
    if (branch >= 0) {
        root = branch;
        source = m_roots[static_cast<size_t>(branch)].rootIndex;
        return source.isValid();
    }
    const Node* node = nodeOf(index);
    if (!node || !node->source.isValid()) return false;
    root = node->root;
    source = node->source;
    return true;
}

bool FolderTreeModel::underRoot(int root, const QModelIndex& source) const {
    const QModelIndex top = m_roots[static_cast<size_t>(root)].rootIndex;
    if (!top.isValid()) return false;
    for (QModelIndex i = source; i.isValid(); i = i.parent())
        if (i == top) return true;
    return false;
}

QModelIndex FolderTreeModel::fromSource(int root, const QModelIndex& source) const {
    const Root& r = m_roots[static_cast<size_t>(root)];
    if (!source.isValid() || !r.rootIndex.isValid()) return {};
    const QModelIndex sourceIndex = source.sibling(source.row(), 0);
    if (sourceIndex == r.rootIndex) return branchIndex(root);
    if (!underRoot(root, sourceIndex)) return {};
    int row = sourceIndex.row();
    if (root == 0 && sourceIndex.parent() == r.rootIndex) row += extraRows();
    return createIndex(row, 0, nodeId(root, sourceIndex));
}

QModelIndex FolderTreeModel::desktopIndex() const { return createIndex(0, 0, kDesktopId); }

bool FolderTreeModel::isDesktop(const QModelIndex& index) const {
    return index.isValid() && index.model() == this && index.internalId() == kDesktopId;
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 ? desktopIndex() : QModelIndex();
    if (isDesktop(parent) && row < extraRows()) return branchIndex(row + 1);
    int root = 0;
    QModelIndex sourceParent;
    if (!sourceOf(parent, root, sourceParent)) return {};
    const int sourceRow = isDesktop(parent) ? row - extraRows() : row;
    const QModelIndex source = m_roots[static_cast<size_t>(root)].fs->index(sourceRow, 0, sourceParent);
    return source.isValid() ? createIndex(row, 0, nodeId(root, source)) : QModelIndex();
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || isDesktop(child)) return {};
    if (branchOf(child) > 0) return desktopIndex();
    const Node* node = nodeOf(child);
    if (!node || !node->source.isValid()) return {};
    return fromSource(node->root, node->source.parent());
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return 1;
    if (parent.column() != 0) return 0;
    const int extra = isDesktop(parent) ? extraRows() : 0;
    int root = 0;
    QModelIndex source;
    if (!sourceOf(parent, root, source)) return extra;
    return extra + m_roots[static_cast<size_t>(root)].fs->rowCount(source);
}

int FolderTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int branch = branchOf(index);
    if (branch >= 0) {
        const Root& r = m_roots[static_cast<size_t>(branch)];
        if (role == Qt::DisplayRole) return r.label;
        if (role == Qt::ToolTipRole) return r.path;
        if (role == Qt::DecorationRole) return branch == 0 ? m_desktopIcon : branch == 1 ? m_homeIcon : m_driveIcon;
        return {};
    }
    const Node* node = nodeOf(index);
    if (!node || !node->source.isValid()) return {};
    const QFileSystemModel* fs = m_roots[static_cast<size_t>(node->root)].fs;
    if (role == Qt::ToolTipRole) return fs->filePath(node->source);
    if (role == Qt::DisplayRole || role == Qt::DecorationRole) return fs->data(node->source, role);
    return {};
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool FolderTreeModel::hasChildren(const QModelIndex& parent) const {
    if (!parent.isValid() || isDesktop(parent)) return true;
    int root = 0;
    QModelIndex source;
    if (!sourceOf(parent, root, source)) return false;
    return m_roots[static_cast<size_t>(root)].fs->hasChildren(source);
}

bool FolderTreeModel::canFetchMore(const QModelIndex& parent) const {
    int root = 0;
    QModelIndex source;
    if (!sourceOf(parent, root, source)) return false;
    return m_roots[static_cast<size_t>(root)].fs->canFetchMore(source);
}

void FolderTreeModel::fetchMore(const QModelIndex& parent) {
    int root = 0;
    QModelIndex source;
    if (sourceOf(parent, root, source)) m_roots[static_cast<size_t>(root)].fs->fetchMore(source);
}

QString FolderTreeModel::filePath(const QModelIndex& index) const {
    const int branch = branchOf(index);
    if (branch >= 0) return m_roots[static_cast<size_t>(branch)].path;
    const Node* node = nodeOf(index);
    if (!node || !node->source.isValid()) return {};
    return CleanPath(m_roots[static_cast<size_t>(node->root)].fs->filePath(node->source));
}

QModelIndex FolderTreeModel::indexOfPath(const QString& path) const {
    const QString clean = CleanPath(path);
    if (clean.isEmpty() || !QFileInfo(clean).isDir()) return {};
    int best = -1;
    for (size_t r = 0; r < m_roots.size(); ++r) {
        const Root& root = m_roots[r];
        if (!root.rootIndex.isValid() || !PathIn(clean, root.path)) continue;
        if (best < 0 || root.path.size() > m_roots[static_cast<size_t>(best)].path.size()) best = static_cast<int>(r);
    }
    if (best < 0) return {};
    const Root& root = m_roots[static_cast<size_t>(best)];
    return fromSource(best, root.fs->index(clean));
}

void FolderTreeModel::connectRoot(int root) {
    QFileSystemModel* fs = m_roots[static_cast<size_t>(root)].fs;
    // The proxy parent of a source parent, and the row offset under it.
    auto mapParent = [this, root](const QModelIndex& sourceParent, int& offset) -> QModelIndex {
        offset = 0;
        const Root& r = m_roots[static_cast<size_t>(root)];
        if (!r.rootIndex.isValid() || !sourceParent.isValid()) return {};
        if (root == 0 && sourceParent == r.rootIndex) offset = extraRows();
        return fromSource(root, sourceParent);
    };
    connect(fs, &QAbstractItemModel::rowsAboutToBeInserted, this,
            [this, mapParent](const QModelIndex& p, int first, int last) {
                int offset = 0;
                const QModelIndex parent = mapParent(p, offset);
                m_insertMapped.push_back(parent.isValid());
                if (parent.isValid()) beginInsertRows(parent, first + offset, last + offset);
            });
    connect(fs, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_insertMapped.empty()) return;
        const bool mapped = m_insertMapped.back();
        m_insertMapped.pop_back();
        if (mapped) endInsertRows();
    });
    connect(fs, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this, mapParent](const QModelIndex& p, int first, int last) {
                int offset = 0;
                const QModelIndex parent = mapParent(p, offset);
                m_removeMapped.push_back(parent.isValid());
                if (parent.isValid()) beginRemoveRows(parent, first + offset, last + offset);
            });
    connect(fs, &QAbstractItemModel::rowsRemoved, this, [this] {
        if (m_removeMapped.empty()) return;
        const bool mapped = m_removeMapped.back();
        m_removeMapped.pop_back();
        if (mapped) endRemoveRows();
    });
    connect(fs, &QAbstractItemModel::dataChanged, this,
            [this, root](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                const QModelIndex a = fromSource(root, topLeft.sibling(topLeft.row(), 0));
                const QModelIndex b = fromSource(root, bottomRight.sibling(bottomRight.row(), 0));
                if (a.isValid() && b.isValid() && a.parent() == b.parent()) emit dataChanged(a, b);
            });
    connect(fs, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] {
        emit layoutAboutToBeChanged();
        m_layoutProxy = persistentIndexList();
        m_layoutSource.clear();
        for (const QModelIndex& i : m_layoutProxy) {
            const Node* node = nodeOf(i);
            m_layoutSource.emplace_back(node ? node->root : -1, node ? node->source : QPersistentModelIndex());
        }
    });
    connect(fs, &QAbstractItemModel::layoutChanged, this, [this] {
        QModelIndexList after;
        after.reserve(m_layoutProxy.size());
        for (size_t i = 0; i < m_layoutSource.size(); ++i) {
            const auto& [root, source] = m_layoutSource[i];
            if (root < 0)
                after.push_back(m_layoutProxy[static_cast<qsizetype>(i)]);  // Desktop and branch nodes stay
            else
                after.push_back(fromSource(root, source));
        }
        changePersistentIndexList(m_layoutProxy, after);
        m_layoutProxy.clear();
        m_layoutSource.clear();
        emit layoutChanged();
    });
    connect(fs, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(fs, &QAbstractItemModel::modelReset, this, [this, root] {
        Root& r = m_roots[static_cast<size_t>(root)];
        if (!r.path.isEmpty() && QFileInfo(r.path).isDir()) r.rootIndex = r.fs->index(r.path);
        endResetModel();
    });
}

// ---- the control --------------------------------------------------------------

FolderTreeControl::FolderTreeControl(QWidget* parent) : QTreeView(parent) {
    m_model = new FolderTreeModel(FolderTreeModel::StandardDesktopPath(), FolderTreeModel::StandardBranches(), this);
    init();
}

FolderTreeControl::FolderTreeControl(const QString& desktopPath, const std::vector<FolderTreeModel::Branch>& branches,
                               QWidget* parent)
    : QTreeView(parent) {
    m_model = new FolderTreeModel(desktopPath, branches, this);
    init();
}

void FolderTreeControl::init() {
    setObjectName(QStringLiteral("FolderTreeview"));
    setModel(m_model);
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAnimated(false);
    expand(m_model->desktopIndex());
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { emit SelectionChanged(); });
    auto queueReveal = [this] {
        if (m_revealPath.isEmpty() || m_revealQueued) return;
        if (m_revealTimer.isValid() && m_revealTimer.elapsed() > 5000) {
            m_revealPath.clear();
            return;
        }
        m_revealQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_revealQueued = false;
            revealSelection();
        });
    };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, queueReveal);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, queueReveal);
}

void FolderTreeControl::revealSelection() {
    if (m_revealPath.isEmpty()) return;
    const QModelIndex target = m_revealPath == QLatin1String("Desktop") ? m_model->desktopIndex()
                                                                        : m_model->indexOfPath(m_revealPath);
    if (!target.isValid()) return;
    for (QModelIndex p = target.parent(); p.isValid(); p = p.parent()) expand(p);
    if (currentIndex() != target) setCurrentIndex(target);
    scrollTo(target, QAbstractItemView::PositionAtCenter);
}

void FolderTreeControl::mousePressEvent(QMouseEvent* event) {
    m_revealPath.clear();
    QTreeView::mousePressEvent(event);
}

void FolderTreeControl::keyPressEvent(QKeyEvent* event) {
    m_revealPath.clear();
    QTreeView::keyPressEvent(event);
}

QString FolderTreeControl::SelectedFolder() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return {};
    if (m_model->isDesktop(current)) return QStringLiteral("Desktop");
    return m_model->filePath(current);
}

void FolderTreeControl::SetSelectedFolder(const QString& folder) {
    QModelIndex target;
    if (folder.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
        target = m_model->desktopIndex();
    else
        target = m_model->indexOfPath(folder);
    if (!target.isValid()) return;
    m_revealPath = m_model->isDesktop(target) ? QStringLiteral("Desktop") : m_model->filePath(target);
    m_revealTimer.start();
    revealSelection();
}

QString FolderTreeControl::DesktopPath() const { return m_model->desktopPath(); }
