#include "windowopeners.h"

#include "Tmain.h"
#include "basedata/ui/Tfuwuyuan_list.h"
#include "basedata/ui/Tjichu_ziliao.h"
#include "inventory/ui/TFkucun_zongbiao.h"
#include "inventory/ui/Tkufang_guanli.h"
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
}
