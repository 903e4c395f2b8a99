#pragma once

#include <QDialog>
#include <functional>

class DataGrid;
class EditToggle;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class TDM;
class TFshangpin_add2;
class Tbaofang_add;
class Tshoupai_add;
class Tshoupai_piliang;

// 基础资料设置: categories, service items, room types and rooms, member card types, the
// business rules, the door lock and the print templates. One instance for the whole run;
// closing only hides it. Each page reopens its lists when it is entered.
class Tjichu_ziliao : public QDialog {
    Q_OBJECT
public:
    enum Page { Categories, Items, Rooms, CardTypes, Other, DoorLock, Printing };

    explicit Tjichu_ziliao(TDM& dm, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    DataGrid* categoryGrid() const { return m_catGrid; }
    DataGrid* itemGrid() const { return m_itemGrid; }
    DataGrid* roomTypeGrid() const { return m_typeGrid; }
    DataGrid* roomGrid() const { return m_roomGrid; }
    DataGrid* cardTypeGrid() const { return m_cardGrid; }
    EditToggle* categoryToggle() const { return m_catToggle; }
    EditToggle* cardTypeToggle() const { return m_cardToggle; }
    TFshangpin_add2* itemDialog() const { return m_itemDialog; }
    Tbaofang_add* roomTypeDialog() const { return m_typeDialog; }
    Tshoupai_add* roomDialog() const { return m_roomDialog; }
    Tshoupai_piliang* batchDialog() const { return m_batchDialog; }

public slots:
    // Page 0
    void categoryDeleteClick();
    // Page 1
    void itemAddClick();
    void itemEditClick();
    void itemDeleteClick();
    // Page 2
    void dirtyRoomOkClick();
    void roomTypeAddClick();
    void roomTypeEditClick();
    void roomTypeDeleteClick();
    void roomAddClick();
    void roomBatchClick();
    void roomEditClick();
    void roomDeleteClick();
    // Page 3
    void cardTypeDeleteClick();
    // Page 4
    void hotelInfoSetClick();
    void roomChargeSetClick();
    void surchargeSetClick();
    void precisionSetClick();
    void hourlySetClick();
    void pointsSetClick();
    // Page 5
    void doorLockSaveClick();
    // Page 6
    void billStyleSaveClick();
    void openDesigner(const QString& file);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* buildCategoryPage();
    QWidget* buildItemPage();
    QWidget* buildRoomPage();
    QWidget* buildCardTypePage();
    QWidget* buildOtherPage();
    QWidget* buildDoorLockPage();
    QWidget* buildPrintingPage();
    QPushButton* addButton(const QString& caption, const QString& name);

    void FormShow();
    void pageEntered(int page);
    void loadRules();
    void reloadCategories(const QString& keep = QString());
    void loadCategoryDetail();
    bool postCategory();
    void reloadItems(const QString& keep = QString());
    void reloadRoomTypes(const QString& keep = QString());
    void reloadRooms(const QString& keep = QString());
    void reloadCardTypes(const QString& keep = QString());
    void loadCardTypeDetail();
    bool postCardType();
    void loadHotelInfo();
    void loadDoorLock();
    // Runs a settings write, showing its error; true when it went through.
    bool apply(const std::function<void()>& write);

    TDM& m_dm;
    QTabWidget* m_pages = nullptr;
    bool m_loading = false;

    // Page 0
    DataGrid* m_catGrid = nullptr;
    QLineEdit* m_catName = nullptr;
    QComboBox* m_catWaiter = nullptr;
    QComboBox* m_catDiscount = nullptr;
    EditToggle* m_catToggle = nullptr;
    // Page 1
    DataGrid* m_itemGrid = nullptr;
    TFshangpin_add2* m_itemDialog = nullptr;
    // Page 2
    QRadioButton* m_dirtyManual = nullptr;
    QRadioButton* m_dirtyAuto = nullptr;
    QSpinBox* m_dirtyMinutes = nullptr;
    DataGrid* m_typeGrid = nullptr;
    DataGrid* m_roomGrid = nullptr;
    Tbaofang_add* m_typeDialog = nullptr;
    Tshoupai_add* m_roomDialog = nullptr;
    Tshoupai_piliang* m_batchDialog = nullptr;
    // Page 3
    DataGrid* m_cardGrid = nullptr;
    QLineEdit* m_cardName = nullptr;
    QLineEdit* m_cardRate = nullptr;
    QLineEdit* m_cardCommission = nullptr;
    QPlainTextEdit* m_cardDescription = nullptr;
    EditToggle* m_cardToggle = nullptr;
    // Page 4
    QLineEdit* m_hotelName = nullptr;
    QLineEdit* m_footnote1 = nullptr;
    QLineEdit* m_footnote2 = nullptr;
    bool m_hotelInfoEdited = false;
    QRadioButton* m_chargeManual = nullptr;
    QRadioButton* m_chargeAuto = nullptr;
    QRadioButton* m_halfDay = nullptr;
    QRadioButton* m_oneDay = nullptr;
    QLineEdit* m_halfDayHour = nullptr;
    QLineEdit* m_fullDayHour = nullptr;
    QButtonGroup* m_precision = nullptr;
    QRadioButton* m_processUnit = nullptr;
    QRadioButton* m_processAmount = nullptr;
    QLineEdit* m_hourlyMinimum = nullptr;
    QLineEdit* m_hourlyToDay = nullptr;
    QCheckBox* m_pointsRoomOnly = nullptr;
    // Page 5
    QLineEdit* m_lockId = nullptr;
    QLineEdit* m_lockPassword = nullptr;
    QComboBox* m_lockModel = nullptr;
    QComboBox* m_lockPort = nullptr;
    bool m_doorLockEdited = false;
    // Page 6
    QButtonGroup* m_billStyle = nullptr;
};
