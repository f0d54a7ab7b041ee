#include "result/ValvePicture.h"

#include "result/NumberFormat.h"

#include <cstdlib>

// A drawn dimension: its extension lines, the dimension line with its
// arrowheads and the measure on a white patch.

namespace tv::result {

std::string FormatMeasure(double value, int decimals, bool debugMode,
                          std::string_view decimalSeparator) {
    if (debugMode)
        return FormatShortest(value, decimalSeparator);
    if (decimals < 0 || decimals > 2)
        return {};
    return FormatFixed(value, decimals, decimalSeparator);
}

void DrawDimension(Canvas& canvas, const DimensionRecord& r) {
    if (r.lineColor != -1)
        canvas.setColor(r.lineColor);
    const int position = r.linePosition;
    if (r.horizontal) {
        // Points too close for arrowheads inside get two stubs with the
        // arrowheads turned to point at the extension lines from outside.
        const int d = std::abs(r.x2 - r.x1) < 500 ? -1 : 1;
        canvas.drawLine(r.x1, r.y1, r.x1, r.y1 + r.extension);
        canvas.drawLine(r.x2, r.y2, r.x2, r.y2 + r.extension);
        if (d == -1) {
            canvas.drawLine(r.x1, position, r.x1 + 300, position);
            canvas.drawLine(r.x2, position, r.x2 - 300, position);
        } else {
            canvas.drawLine(r.x1, position, r.x2, position);
        }
        DrawArrowhead(canvas, r.x1, position, -d, true);
        DrawArrowhead(canvas, r.x2, position, d, true);
    } else {
        const int d = std::abs(r.y2 - r.y1) < 500 ? -1 : 1;
        canvas.drawLine(r.x1, r.y1, r.x1 + r.extension, r.y1);
        canvas.drawLine(r.x2, r.y2, r.x2 + r.extension, r.y2);
        if (d == -1) {
            canvas.drawLine(position, r.y1, position, r.y1 - 300);
            canvas.drawLine(position, r.y2, position, r.y2 + 300);
        } else {
            canvas.drawLine(position, r.y1, position, r.y2);
        }
        DrawArrowhead(canvas, position, r.y1, d, false);
        DrawArrowhead(canvas, position, r.y2, -d, false);
    }

    // The label stands on a white patch so that lines under it do not show.
    canvas.setColor(kWhite);
    for (int i = 0; i <= 210; ++i)
        canvas.drawLine(r.labelX, r.labelY + i, r.labelX + 750, r.labelY + i);
    canvas.setColor(r.textColor == -1 ? kBlack : r.textColor);
    canvas.drawText(r.labelX, r.labelY, r.label);
}

} // namespace tv::result
