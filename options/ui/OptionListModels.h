#pragma once
// The list models of the Options dialog: the rule entries of a rule list
// ("Rule 1" ... "Rule n", shown by a drop-down list) and the two column lists
// of a catalogue page over CatalogueColumnLists (options/OptionRules.h).
// The dialog changes the lists through their owner and then calls Refresh.

#include "options/OptionRules.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>

class RuleEntriesModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    int Count() const { return m_count; }
    // Entries for rules 1 to `count`: rows are appended or dropped at the end.
    void SetCount(int count);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int m_count = 0;
};

class ColumnListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Side { NotIncluded, Included };
    ColumnListModel(const CatalogueColumnLists* lists, Side side, QObject* parent = nullptr);

    // The lists changed: every row is shown again.
    void Refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CatalogueColumnLists* m_lists;
    Side m_side;
};
