#include "StatusRules.h"

namespace StatusRules {

const QList<StatusRule> &table()
{
    using B = BellButton;
    const QString on = QStringLiteral("on");
    const QString off = QStringLiteral("off");
    static const QList<StatusRule> rules = {
        {QStringLiteral("mode1"),
         {{B::Reset, false}, {B::Mode1, false}, {B::Mode2, true}, {B::Mode3, true}},
         {{B::Mode1, on}, {B::Mode2, off}, {B::Mode3, off}},
         {}},
        {QStringLiteral("mode2"),
         {{B::Reset, true}, {B::Mode1, true}, {B::Mode2, false}, {B::Mode3, true}},
         {{B::Mode1, off}, {B::Mode2, on}, {B::Mode3, off}},
         {}},
        {QStringLiteral("mode3"),
         {{B::Reset, false}, {B::Mode1, true}, {B::Mode2, true}, {B::Mode3, false}},
         {{B::Mode1, off}, {B::Mode2, off}, {B::Mode3, on}},
         {}},
        {QStringLiteral("buzz2"),
         {{B::Tone1, false}, {B::Tone2, true}},
         {{B::Tone1, on}, {B::Tone2, off}},
         {}},
        {QStringLiteral("buzz1"),
         {{B::Tone1, true}, {B::Tone2, false}},
         {{B::Tone1, off}, {B::Tone2, on}},
         {}},
        {QStringLiteral("hijau"), {}, {}, 0xFF008000},
        {QStringLiteral("kuning"), {}, {}, 0xFFFFFF00},
        {QStringLiteral("merah"), {}, {}, 0xFFFF0000},
        {QStringLiteral("biru"), {}, {}, 0xFF0000FF},
        {QStringLiteral("putih"), {}, {}, 0xFFFFFFFF},
        {QStringLiteral("ungu"), {}, {}, 0xFF800080},
    };
    return rules;
}

} // namespace StatusRules
