#include "windowopeners.h"

#include "TFchakan_kongfang.h"
#include "Tmain.h"
#include "basedata/ui/Tfuwuyuan_list.h"
#include "basedata/ui/Tjichu_ziliao.h"
#include "billing/ui/TFkuaisu_jiezhang.h"
#include "billing/ui/TFxianzou_bujiezhang.h"
#include "billing/ui/Tguadan_chaxun.h"
#include "billing/ui/Tjiezhang.h"
#include "frontdesk/ui/TFkaidan2.h"
#include "frontdesk/ui/TFtuicai_chaxun.h"
#include "frontdesk/ui/TFxujiao_yajin.h"
#include "frontdesk/ui/TFyuyue_xinxi_chaxun.h"
#include "frontdesk/ui/Tkaidan.h"
#include "frontdesk/ui/Txiaofei.h"
#include "frontdesk/ui/Tyuding.h"
#include "inventory/ui/TFkucun_zongbiao.h"
#include "inventory/ui/Tkufang_guanli.h"
#include "members/ui/Thuiyuanka_banli.h"
#include "members/ui/Thuiyuanka_chaxun.h"
#include "uiprompt.h"

#include <QPointer>

namespace {

// A single-instance window created on first use and shown again and again.
template <typename Window> Window* single(TDM& dm, QWidget* parent) {
    static QPointer<Window> w; // cleared when the board that owns it goes
    if (!w)
        w = new Window(dm, parent);
    return w;
}

template <typename Window> void modal(TDM& dm, QWidget* parent) {
    Window w(dm, parent);
    UiPrompt::runModal(&w);
}

void checkIn(TDM& dm, QWidget* parent, const QString& room, const QString& mode) {
    Tkaidan w(dm, parent);
    w.setRoom(room, mode);
    UiPrompt::runModal(&w);
}

void reserve(TDM& dm, QWidget* parent, const QString& room) {
    Tyuding w(dm, parent);
    w.setRoom(room);
    UiPrompt::runModal(&w);
}

void quickCheckIn(TDM& dm, QWidget* parent) {
    TFkaidan2 w(
        dm, [&dm, parent](const QString& room) { checkIn(dm, parent, room, QStringLiteral("新开")); },
        parent);
    UiPrompt::runModal(&w);
}

// Check-out is created for each use; the caller asks for the "顾客支付" caption.
void checkOut(TDM& dm, QWidget* parent, const QString& room, const QString& mainRoom) {
    Tjiezhang w(dm, parent);
    w.setRoom(room, mainRoom);
    w.setPayCaption(QStringLiteral("顾客支付"));
    UiPrompt::runModal(&w);
}

} // namespace

void registerWindowOpeners(Tmain& board, TDM& dm) {
    QWidget* parent = &board;
    board.setOpener(QStringLiteral("N4"), [&dm, parent](const QString&, const QString&) {
        auto* w = single<Tjichu_ziliao>(dm, parent);
        w->show();
        w->raise();
        w->activateWindow();
    });
    for (const QString& name : {QStringLiteral("N5"), QStringLiteral("ToolFuwuyuan")})
        board.setOpener(name,
                        [&dm, parent](const QString&, const QString&) { modal<Tfuwuyuan_list>(dm, parent); });
    board.setOpener(QStringLiteral("N45"),
                    [&dm, parent](const QString&, const QString&) { modal<Tkufang_guanli>(dm, parent); });
    board.setOpener(QStringLiteral("N41"),
                    [&dm, parent](const QString&, const QString&) { modal<TFkucun_zongbiao>(dm, parent); });

    // A stay: check-in, consumption, deposit, reservations.
    board.setOpener(QStringLiteral("N8"), [&dm, parent](const QString& room, const QString&) {
        checkIn(dm, parent, room, QStringLiteral("新开"));
    });
    board.setOpener(QStringLiteral("N54"), [&dm, parent](const QString& room, const QString&) {
        checkIn(dm, parent, room, QStringLiteral("修改"));
    });
    board.setOpener(QStringLiteral("quickCheckIn"),
                    [&dm, parent](const QString&, const QString&) { quickCheckIn(dm, parent); });
    board.setOpener(QStringLiteral("N11"), [&dm, parent](const QString& room, const QString& mainRoom) {
        Txiaofei w(dm, parent);
        w.setRoom(room, mainRoom);
        UiPrompt::runModal(&w);
    });
    board.setOpener(QStringLiteral("N48"), [&dm, parent](const QString& room, const QString&) {
        TFxujiao_yajin w(dm, parent);
        w.setRoom(room);
        UiPrompt::runModal(&w);
    });
    board.setOpener(QStringLiteral("actYuding"),
                    [&dm, parent](const QString& room, const QString&) { reserve(dm, parent, room); });
    board.setOpener(QStringLiteral("N14"), [&dm, parent](const QString& room, const QString&) {
        TFyuyue_xinxi_chaxun w(dm, parent);
        if (!room.isEmpty())
            w.showRoom(room);
        UiPrompt::runModal(&w);
    });
    board.setOpener(QStringLiteral("actTuicaiChaxun"),
                    [&dm, parent](const QString&, const QString&) { modal<TFtuicai_chaxun>(dm, parent); });
    board.vacantWindow()->setRoomActions(
        [&dm, parent](const QString& room) { checkIn(dm, parent, room, QStringLiteral("新开")); },
        [&dm, parent](const QString& room) { reserve(dm, parent, room); },
        [&dm, parent] { quickCheckIn(dm, parent); });

    // Settlement: check-out, quick check-out, walk-outs, hang bills; member cards.
    board.setOpener(QStringLiteral("N10"), [&dm, parent](const QString& room, const QString& mainRoom) {
        checkOut(dm, parent, room, mainRoom);
    });
    Txiaofei::setCheckOutOpener([&dm, parent](const QString& room, const QString& mainRoom) {
        checkOut(dm, parent, room, mainRoom);
    });
    board.setOpener(QStringLiteral("quickCheckOut"), [&dm, parent](const QString&, const QString&) {
        TFkuaisu_jiezhang w(
            dm,
            [&dm, parent](const QString& room, const QString& mainRoom) {
                checkOut(dm, parent, room, mainRoom);
            },
            parent);
        UiPrompt::runModal(&w);
    });
    board.setOpener(QStringLiteral("N46"), [&dm, parent](const QString& room, const QString&) {
        TFxianzou_bujiezhang w(dm, parent);
        w.setRoom(room);
        UiPrompt::runModal(&w);
    });
    for (const QString& name : {QStringLiteral("N22"), QStringLiteral("ToolGuadan")})
        board.setOpener(name,
                        [&dm, parent](const QString&, const QString&) { modal<Tguadan_chaxun>(dm, parent); });
    board.setOpener(QStringLiteral("N17"),
                    [&dm, parent](const QString&, const QString&) { modal<Thuiyuanka_banli>(dm, parent); });
    for (const QString& name : {QStringLiteral("N19"), QStringLiteral("ToolHuiyuanChaxun")})
        board.setOpener(
            name, [&dm, parent](const QString&, const QString&) { modal<Thuiyuanka_chaxun>(dm, parent); });
}
