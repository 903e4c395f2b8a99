#pragma once

#include <QDialog>

class TDM;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QPlainTextEdit;
class QTableWidget;

// 预约信息查询: reservations by room and arrival date, corrected in place, cancelled.
class TFyuyue_xinxi_chaxun : public QDialog {
    Q_OBJECT
public:
    explicit TFyuyue_xinxi_chaxun(TDM& dm, QWidget* parent = nullptr);
    // The board's double-click on a reserved room: ticks 手牌号 with the room and queries.
    void showRoom(const QString& room);
    void queryClick();  // 查询
    void cancelClick(); // 取消预定
    QTableWidget* grid() const { return m_grid; }
    QCheckBox* roomBox() const { return m_byRoom; }
    QComboBox* roomCombo() const { return m_room; }
    QCheckBox* dateBox() const { return m_byDate; }
    QDateEdit* fromDate() const { return m_from; }
    QDateEdit* toDate() const { return m_to; }
    QPlainTextEdit* remarkEdit() const { return m_remark; }
    // Saves the edits of a row (also done when the row is left).
    void saveRow(int row);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void rowLeft(int current, int previous);
    TDM& m_dm;
    QCheckBox *m_byRoom, *m_byDate;
    QComboBox* m_room;
    QDateEdit *m_from, *m_to;
    QTableWidget* m_grid;
    QPlainTextEdit* m_remark;
    bool m_loading = false;
    QList<bool> m_dirty;
};
