#pragma once

#include <QTableView>
#include <array>
#include <vector>

namespace data {
class Dataset;
class DatasetModel;
}  // namespace data

namespace journal {

// The journal grid (DBGrid2): one shift's entries at a time, through the data links of the four
// shifts' journals (DataSource1..DataSource4), the acceptance mark green or red. Several rows
// are selected with Shift and Ctrl; Space asks to accept or clear them.
class JournalGrid : public QTableView {
    Q_OBJECT
public:
    explicit JournalGrid(QWidget* parent);

    // The four shifts' journal queries, shown by their links.
    void setJournals(const std::array<data::Dataset*, 4>& journals);
    // Shows the journal of shift 1..4 (shift 1's for any other value).
    void showShift(int shift);
    // The rows selected, `current` (0-based, -1 for none) when nothing else is; ascending.
    std::vector<int> selectedRows(int current) const;

signals:
    void spacePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::array<data::DatasetModel*, 4> links_{};
};

}  // namespace journal
