#pragma once

#include "app/roomboardservice.h"

#include <QDateTime>
#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <functional>

class TDM;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPlainTextEdit;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTimer;
class RoomPageModel;
class DataGrid;
class RowsModel;
class TFgenggai_zhuangtai;
class TFchakan_kongfang;

// The room board: one page per room type with an icon per room, the room information
// panel, the selected room's bill lines, the business totals, quick search, today's calls,
// the menus gated by rights and the four timers. Other windows call its refresh operations.
class Tmain : public QMainWindow {
    Q_OBJECT
public:
    // Opens another window for a room (and its main room). Registering one enables the
    // menu item or action of that name; until then it stays disabled.
    using Opener = std::function<void(const QString& room, const QString& mainRoom)>;

    explicit Tmain(TDM& dm, QWidget* parent = nullptr);
    ~Tmain() override;

    static Tmain* instance();

    // Refresh operations.
    void shuaxinmain();
    void tianconglistv(int page, const QString& type);
    void shuaxindan(const QString& room);
    void shuaxinyye();
    void shuaxinkaitai();
    void listviewdj(QListView* list, const QString& room);

    // Sets every rights-gated item from the nine strings of AppSettings.
    void ApplyRights();
    void setOperatorPanel();
    void setChargeModePanel();
    void setLoginWindow(QWidget* login) { m_login = login; }
    void setOpener(const QString& actionName, Opener opener);
    // Starts or stops Timer2 and Timer3 from the reminder settings of AppSettings.
    void applyReminderTimers();
    // Restarts or stops Timer4 from the dirty-room settings of AppSettings.
    void applyDirtyRoomTimer();
    // Appends a line to the error log and saves it to bug.txt.
    void appendErrorLog(const QString& line);
    const QStringList& errorLog() const { return m_errorLog; }

    // For the room menu, key and timer handlers and tests.
    QAction* action(const QString& objectName) const;
    QListView* pageList(int page) const;
    RoomPageModel* pageModel(int page) const;
    QTabWidget* pages() const { return m_pages; }
    TFchakan_kongfang* vacantWindow() const { return m_vacantWindow; }
    QListView* activeList() const;
    QString selectedRoom(QListView* list) const;
    QString selectedState(QListView* list) const;
    QTimer* timer(int n) const;
    RowsModel* billModel() const;
    DataGrid* billGrid() const { return m_billGrid; }

public slots:
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    // Double-click (with the stale-state check) and Enter on a room.
    void roomDoubleClicked(QListView* list);
    void roomEnter(QListView* list);

    // Room menu.
    void N8Click();  // 开单
    void N10Click(); // 结帐
    void reserveClick();
    void N11Click(); // 增加消费
    void N36Click(); // 更换房间
    void N48Click(); // 续交押金
    void N37Click(); // 房间状态
    void N54Click(); // 修改登记
    void N15Click(); // 合并帐单
    void N16Click(); // 拆分帐单
    void N46Click(); // 先走不结帐
    void doorCardClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildUi();
    void buildMenus();
    void buildToolBar();
    QAction* addItem(QMenu* menu, const QString& objectName, const QString& caption);
    void updateEnabled();
    void FormShow();
    void runSweep();
    void showBillLines(const QList<RoomBoardService::BillLine>& lines);
    void clearRoomInfo();
    void loadCalls();
    bool runOpener(const QString& actionName, const QString& room, const QString& mainRoom);
    int pageOf(QListView* list) const;
    QListView* menuList() const;
    // The room of the menu's list, or the message when none is selected.
    bool menuRoom(const QString& missing, QString* room, QString* state, QString* mainRoom);
    // The room menu's common path: a selected room (else `missing`), in one of the `allowed`
    // states (else prefix + state + suffix; no states: any), then the action's window.
    bool openForMenuRoom(const QString& action, const QString& missing, const QStringList& allowed,
                         const QString& prefix, const QString& suffix);
    bool stateCheck(const QString& state, const QStringList& allowed, bool allowedListed,
                    const QString& prefix, const QString& suffix);
    void openStateWindow(const QString& room, const QString& state);
    void openRightsWindow();
    void toggleTakings();

    TDM& m_dm;
    RoomBoardService m_board;
    QWidget* m_login = nullptr;
    QTabWidget* m_pages = nullptr;
    QList<QListView*> m_lists;
    QList<RoomPageModel*> m_models;
    QStringList m_pageTypes;
    QListView* m_menuList = nullptr;

    QHash<QString, QLabel*> m_info;
    QPlainTextEdit* m_remark = nullptr;
    QString m_currentMainRoom;
    DataGrid* m_billGrid = nullptr;
    QGroupBox* m_takingsGroup = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_taken = nullptr;
    QLabel* m_open = nullptr;
    QLineEdit* m_quickSearch = nullptr;
    QTableView* m_callsGrid = nullptr;
    QStandardItemModel* m_callsModel = nullptr;
    QLabel* m_status[4] = {};
    QHash<QString, QLabel*> m_legendCounts;

    QMenu* m_helpMenu = nullptr;
    QMenu* m_roomMenu = nullptr;
    QHash<QString, QAction*> m_actions;
    QHash<QString, Opener> m_openers;
    QHash<QString, QString> m_actsThrough; // tool button -> the menu item it acts through

    QTimer* m_timers[4] = {};
    QDateTime m_lastDailyTick, m_lastHourlyTick;
    QStringList m_errorLog;
    TFgenggai_zhuangtai* m_stateWindow = nullptr;
    TFchakan_kongfang* m_vacantWindow = nullptr;
};
