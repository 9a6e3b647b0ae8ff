#include "defaultappearance.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace
{

// Larger than any page; what is larger only makes numbers no stream should hold.
constexpr double maxSize = 1000;

} // namespace

DefaultAppearance DefaultAppearance::parse(const QByteArray &da)
{
    DefaultAppearance result;
    const QList<QByteArray> tokens = da.simplified().split(' ');
    const auto numbers = [&tokens](qsizetype from, qsizetype count) {
        bool all = from >= 0;
        for (qsizetype i = from; all && i < from + count; ++i)
            all = std::isfinite(tokens[i].toDouble(&all)) && all;
        return all;
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens[i] == "Tf" && i >= 2 && tokens[i - 2].startsWith('/') && numbers(i - 1, 1)) {
            result.font = tokens[i - 2].mid(1).percentDecoded('#');
            const double size = tokens[i - 1].toDouble();
            result.size = std::isfinite(size) ? std::clamp(size, 0.0, maxSize) : 0;
        }
        const int operands = tokens[i] == "g"    ? 1
                             : tokens[i] == "rg" ? 3
                             : tokens[i] == "k"  ? 4
                                                 : 0;
        if (operands > 0 && numbers(i - operands, operands))
            result.colour = tokens.mid(i - operands, operands + 1).join(' ');
    }
    return result;
}
