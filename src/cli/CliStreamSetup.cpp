#include "CliStreamSetup.h"

#include "CliOptions.h"
#include "FileMessages.h"
#include "HexText.h"
#include "LiveChannelState.h"
#include "SetupModel.h"

#include <cstdio>

namespace {

// A streamable register address: one hexadecimal number of 01 to FF (0 would
// continue the previous run of the table instead of starting one).
std::optional<std::uint8_t> streamAddress(const QString& text)
{
    const auto a = parseHexByte(text.trimmed().toStdString());
    if (!a || *a == 0)
        return std::nullopt;
    return a;
}

bool takeSelect(const QString& value, TCliStreamSetup& s, QString& error)
{
    s.counts = s.lta = s.pt = false;
    for (const QString& item : value.split(',', Qt::SkipEmptyParts)) {
        const QString name = item.trimmed();
        if (name == "counts")
            s.counts = true;
        else if (name == "lta")
            s.lta = true;
        else if (name == "pt")
            s.pt = true;
        else {
            error = QStringLiteral("--select takes counts, lta and pt, not '%1'").arg(name);
            return false;
        }
    }
    if (!s.counts && !s.lta && !s.pt) {
        error = QStringLiteral("At least 1 selection must be active in Streaming Setup!");
        return false;
    }
    return true;
}

bool takeExtra(const QString& value, TCliStreamSetup& s, QString& error)
{
    s.extra.clear();
    for (const QString& item : value.split(',')) {
        const auto a = streamAddress(item);
        if (!a) {
            error = QStringLiteral("--extra: '%1' is not a register address (01 to FF)").arg(item);
            return false;
        }
        s.extra.push_back(*a);
    }
    if (s.extra.size() > static_cast<std::size_t>(kDebugRows)) {
        error = QStringLiteral("--extra takes at most %1 addresses").arg(kDebugRows);
        return false;
    }
    return true;
}

bool takeBars(const QString& value, TCliStreamSetup& s, QString& error)
{
    const QStringList items = value.split(',');
    if (items.size() > 2) {
        error = QStringLiteral("--bars takes one or two addresses");
        return false;
    }
    s.bars = {};
    for (int i = 0; i < items.size(); ++i) {
        if (items[i].trimmed().isEmpty())
            continue; // ",17": only the second bar
        const auto a = streamAddress(items[i]);
        if (!a) {
            error =
                QStringLiteral("--bars: '%1' is not a register address (01 to FF)").arg(items[i]);
            return false;
        }
        s.bars[static_cast<std::size_t>(i)] = a;
    }
    return true;
}

// The names of the "Data Logging" page's boxes.
bool logColumn(const QString& name, TLogSelection& sel)
{
    if (name == "qrd")
        return sel.qrd = true;
    if (name == "hall")
        return sel.hall = true;
    if (name == "md")
        return sel.metal = true;
    struct TGroup {
        const char* prefix;
        bool* boxes;
        int count;
    };
    const TGroup groups[] = {{"count", sel.counts.data(), 6},
                             {"lta", sel.lta.data(), 3},
                             {"delta", sel.delta.data(), 3},
                             {"prox", sel.prox.data(), 3},
                             {"touch", sel.touch.data(), 3}};
    for (const TGroup& g : groups) {
        const QString prefix = QString::fromLatin1(g.prefix);
        if (!name.startsWith(prefix) || name.size() != prefix.size() + 1)
            continue;
        const int n = name.back().digitValue();
        if (n < 0 || n >= g.count)
            return false;
        g.boxes[n] = true;
        return true;
    }
    return false;
}

bool takeLogColumns(const QString& value, TCliStreamSetup& s, QString& error)
{
    TLogSelection sel;
    sel.qrd = sel.hall = sel.metal = false;
    sel.counts.fill(false);
    for (const QString& item : value.split(',', Qt::SkipEmptyParts)) {
        if (!logColumn(item.trimmed(), sel)) {
            error = QStringLiteral("--log-columns: unknown column '%1'").arg(item);
            return false;
        }
    }
    if (!sel.anyChannelColumn()) {
        error = QString::fromLatin1(filemsg::kLogNoOption);
        return false;
    }
    s.logColumns = sel;
    return true;
}

QString hex2(unsigned v)
{
    return QString::asprintf("%02X", v);
}

} // namespace

TCliOptionResult takeStreamSetupOption(const QString& option, const QString& value,
                                       TCliStreamSetup& setup, QString& error, bool allowBars,
                                       bool allowLog)
{
    bool ok = true;
    if (option == "--select")
        ok = takeSelect(value, setup, error);
    else if (option == "--extra")
        ok = takeExtra(value, setup, error);
    else if (option == "--bars" && allowBars)
        ok = takeBars(value, setup, error);
    else if (option == "--log-columns" && allowLog)
        ok = takeLogColumns(value, setup, error);
    else
        return TCliOptionResult::NotMine;
    return ok ? TCliOptionResult::Taken : TCliOptionResult::Bad;
}

void applyStreamSetup(const TCliStreamSetup& setup, TSetupModel& model)
{
    model.CSCheck = setup.counts;
    model.LTACheck = setup.lta;
    model.PTCheck = setup.pt;
    for (auto& text : model.AdrsEditArray)
        text.clear();
    for (std::size_t j = 0; j < setup.extra.size(); ++j)
        model.AdrsEditArray[j] = hexByteText(setup.extra[j]);
    for (std::size_t b = 0; b < 2; ++b) {
        if (setup.bars[b])
            model.AdrsEditArray[kExtraBar1 + b] = hexByteText(*setup.bars[b]);
    }
    model.CH6Check = setup.bars[0].has_value();
    model.CH7Check = setup.bars[1].has_value();
    model.SetupStreaming();
}

QStringList streamTableLines(const TSetupModel& model)
{
    const TStreamLayout& l = model.streamLayout();
    const TStreamBytes& bytes = model.StreamBytes();
    QStringList lines{QStringLiteral("length %1").arg(l.StreamLength)};
    for (int k = 0; k < l.StreamLength; ++k) {
        if (const unsigned a = bytes[static_cast<std::size_t>(k)]; a != 0)
            lines << QStringLiteral("%1 %2").arg(k).arg(hex2(a));
    }
    auto index = [&lines](bool streamed, const char* name, int value) {
        if (streamed)
            lines << QStringLiteral("%1 %2").arg(QString::fromLatin1(name)).arg(value);
    };
    index(l.SysFlagsActive, "SysFlagsStartIndex", l.SysFlagsStartIndex);
    index(l.PTActive, "PTStartIndex", l.PTStartIndex);
    index(l.SysFlagsActive, "SarStartIndex", l.SarStartIndex);
    index(l.SysFlagsActive, "MetalStartIndex", l.MetalStartIndex);
    index(l.SysFlagsActive, "HallStartIndex", l.HallStartIndex);
    index(l.SysFlagsActive, "TempStartIndex", l.TempStartIndex);
    index(l.CSActive, "CSStartIndex", l.CSStartIndex);
    index(l.LTAActive, "LTAStartIndex", l.LTAStartIndex);
    index(l.ChActive, "ChStartIndex", l.ChStartIndex);
    index(true, "QRDStartIndex", l.QRDStartIndex);
    for (int j = 0; j < kExtraAddresses; ++j) {
        const auto k = static_cast<std::size_t>(j);
        if (l.AdrActiveArray[k])
            lines
                << QStringLiteral("AdrStartIndexArray[%1] %2").arg(j).arg(l.AdrStartIndexArray[k]);
    }
    return lines;
}

QString streamedRowsText(const TSetupModel& model, const TLiveChannelState& state)
{
    const TStreamLayout& l = model.streamLayout();
    const TStreamBytes& bytes = model.StreamBytes();
    auto addressOf = [&](int j) {
        // The row's address is the table entry at its frame position.
        return hex2(bytes[static_cast<std::size_t>(
            l.AdrStartIndexArray[static_cast<std::size_t>(j)] - kFrameHeader)]);
    };
    QStringList rows;
    for (int j = 0; j < kDebugRows; ++j) {
        if (l.AdrActiveArray[static_cast<std::size_t>(j)])
            rows << addressOf(j) + ':' + hex2(state.DebugBytes[static_cast<std::size_t>(j)]);
    }
    QStringList bars;
    if (l.AdrActiveArray[kExtraBar1])
        bars << addressOf(kExtraBar1) + ':' + QString::number(state.Bar1Val);
    if (l.AdrActiveArray[kExtraBar2])
        bars << addressOf(kExtraBar2) + ':' + QString::number(state.Bar2Val);
    QString text;
    if (!rows.isEmpty())
        text += QStringLiteral(" dbg=") + rows.join(',');
    if (!bars.isEmpty())
        text += QStringLiteral(" bars=") + bars.join(',');
    return text;
}

int cliStreamTable(const QStringList& args)
{
    TCliStreamSetup setup;
    for (int i = 0; i < args.size(); i += 2) {
        QString error;
        const QString& option = args[i];
        static const QStringList kOptions = {"--select", "--extra", "--bars"};
        if (!kOptions.contains(option))
            error = QStringLiteral("unknown stream-table option ") + option;
        else if (i + 1 >= args.size())
            error = option + QStringLiteral(" needs a value");
        else
            takeStreamSetupOption(option, args[i + 1], setup, error, true, false);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "mfs380a-cli: %s\nTry 'mfs380a-cli --help'.\n", qPrintable(error));
            return kExitUsage;
        }
    }
    TSetupModel model;
    applyStreamSetup(setup, model);
    for (const QString& line : streamTableLines(model))
        std::printf("%s\n", qPrintable(line));
    return kExitOk;
}
