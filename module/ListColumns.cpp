#include "module/ListColumns.h"

#include <algorithm>

#include <QFontMetrics>
#include <QStyle>

namespace ListColumns {

namespace {

// The widest of chars, as the text it makes count times over; a separator between each group of
// `group` of them. Measured as one text: glyph advances alone round differently.
int widest(const QFontMetrics& metrics, const QString& chars, int count, int group = 0,
           QChar separator = QChar()) {
    QChar wide = chars.front();
    for (QChar c : chars)
        if (metrics.horizontalAdvance(c) > metrics.horizontalAdvance(wide)) wide = c;
    QString text;
    for (int i = 0; i < count; ++i) {
        if (group > 0 && i > 0 && i % group == 0) text += separator;
        text += wide;
    }
    return metrics.horizontalAdvance(text);
}

QString printable() {
    QString out;
    for (char16_t c = 0x20; c < 0x7f; ++c) out += QChar(c);
    return out;
}

}  // namespace

int widthFor(const forms::ListView& list, Holds kind) {
    const QFontMetrics metrics = list.fontMetrics();
    int text = 0;
    switch (kind) {
        case Holds::Address:
            text = widest(metrics, QStringLiteral("0123456789"), 12, 3, u'.');
            break;
        case Holds::Mac:
            text = widest(metrics, QStringLiteral("0123456789ABCDEF"), 12);
            break;
        case Holds::Ssid:
            text = widest(metrics, printable(), 32);
            break;
    }
    // The views draw a cell's text this far in from each side.
    const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    return text + 2 * margin;
}

void holdWidest(forms::ListView& list, int column, Holds kind) {
    if (column < 0 || column >= list.columnCount() || list.columnWidth(column) == 0) return;
    const int width = widthFor(list, kind);
    if (list.shownColumnWidth(column) < width) list.setColumnWidth(column, width);
}

}  // namespace ListColumns
