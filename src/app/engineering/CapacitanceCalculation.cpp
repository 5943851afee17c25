#include "CapacitanceCalculation.h"

#include "Clock.h"
#include "EngineeringTexts.h"
#include "Session.h"

namespace {

constexpr std::uint8_t kSysFlags = 0x10;
constexpr std::uint8_t kAtiBusy = 0x04;
constexpr std::uint8_t kCounts = 0x20;
constexpr std::uint8_t kChannelSetup = 0x40;    // + n: RX pins sensed
constexpr std::uint8_t kCharge = 0x43;          // + n: divider, auto ATI mode
constexpr std::uint8_t kAti = 0x46;             // + n: ATI base and target
constexpr std::uint8_t kGlobal = 0x50;          // bit 4: AC filter disable
constexpr std::uint8_t kEngineering = 0x51;     // bit 1: calibration capacitor, bits 3:2 select
constexpr std::uint8_t kCompensation = 0x52;    // + n
constexpr std::uint8_t kMultipliers = 0x55;     // + n: bits 7:6 compensation high bits
constexpr std::uint8_t kSystem = 0xD0;
constexpr std::uint8_t kSoftReset = 0x80;
constexpr std::uint8_t kRedoAti = 0x02;
constexpr std::uint8_t kOscillator4MHz = 0x10;
constexpr int kAtiPolls = 50;
constexpr int kSettleMs = 80;
constexpr int kProgressSteps = 7;  // ATI, ATI done, R1 to R5

std::uint8_t at(std::uint8_t base, int n)
{
    return static_cast<std::uint8_t>(base + n);
}

}  // namespace

bool TCapacitanceResult::succeeded() const
{
    for (const auto& v : values) {
        if (!v || !(*v > 0.0))
            return false;
    }
    return true;
}

// The calculation's register transfers. The first failure is reported with
// the tool's words and marks the run failed; later transfers of the
// measurement are skipped so that no byte is written from a failed read.
class TCapacitanceCalculation::TTransfers {
public:
    explicit TTransfers(TSession& session) : FSession(session) {}

    bool failed() const { return FFailed; }
    // The restore runs even after a failure, transfer by transfer.
    void beginRestore() { FRestoring = true; }

    std::optional<std::uint8_t> read(std::uint8_t address)
    {
        if (FFailed && !FRestoring)
            return std::nullopt;
        std::vector<std::uint8_t> v;
        if (!check(FSession.ReadRegisters(address, 1, v)))
            return std::nullopt;
        return v[0];
    }
    bool write(std::uint8_t address, std::uint8_t value)
    {
        if (FFailed && !FRestoring)
            return false;
        const std::uint8_t buffer[2] = {address, value};
        return check(FSession.WriteRegisters(buffer));
    }
    // Read, set and clear bits, write back.
    bool modify(std::uint8_t address, std::uint8_t set, std::uint8_t clear)
    {
        const auto v = read(address);
        if (!v)
            return false;
        return write(address, static_cast<std::uint8_t>((*v | set) & ~clear));
    }
    std::optional<std::uint16_t> counts(int n)
    {
        if (FFailed)
            return std::nullopt;
        std::vector<std::uint8_t> v;
        if (!check(FSession.ReadRegisters(at(kCounts, 2 * n), 2, v)))
            return std::nullopt;
        return static_cast<std::uint16_t>(v[0] | (v[1] << 8));
    }

private:
    bool check(TExchangeResult res)
    {
        if (res == 0)
            return true;
        if (!FFailed)
            FSession.HandleRes(res);
        FFailed = true;
        return false;
    }

    TSession& FSession;
    bool FFailed = false;
    bool FRestoring = false;
};

TCapacitanceCalculation::TCapacitanceCalculation(TSession& session, QObject* parent)
    : QObject(parent), FSession(session)
{
}

void TCapacitanceCalculation::wait(int ms)
{
    if (FWaiter)
        FWaiter(ms);
    else
        FSession.clock().sleepMs(ms);
}

TCapacitanceResult TCapacitanceCalculation::run(bool current)
{
    if (FRunning)
        return FResult;
    FRunning = true;
    FResult = {};
    FResult.currentSettings = current;
    emit started(current);
    for (int n = 0; n < kChannels; ++n)
        emit channelProgress(n, 0);

    if (!FSession.CheckPowerOn()) {
        FResult.transferFailed = true;
        FRunning = false;
        emit finished(FResult);
        return FResult;
    }

    TTransfers t(FSession);
    // 2. Default mode starts from the chip's own defaults.
    if (!current) {
        t.modify(kSystem, kSoftReset, 0);
        wait(50);
    }
    // 3. AC filter off, remembering whether it was off already.
    const auto global = t.read(kGlobal);
    const bool acFilterWasOff = global && (*global & 0x10);
    if (global)
        t.write(kGlobal, static_cast<std::uint8_t>(*global | 0x10));
    // Current mode keeps every byte the passes change, so that the chip's own
    // settings go back in place (the ATI of each pass rewrites the
    // compensation of every channel, so it is kept before the first pass).
    std::array<std::optional<std::uint8_t>, 7> kept51to57;
    if (current) {
        for (int i = 0; i < 7; ++i)
            kept51to57[static_cast<std::size_t>(i)] = t.read(at(kEngineering, i));
    }
    // 4. Default mode: CH0 on RX0, CH1 on RX1, CH2 on both.
    if (!current) {
        t.modify(at(kChannelSetup, 0), 0x01, 0x02);
        t.modify(at(kChannelSetup, 1), 0x02, 0x01);
        t.modify(at(kChannelSetup, 2), 0x03, 0);
    }

    // 5. One pass per channel.
    std::array<std::optional<std::uint8_t>, kChannels> keptCharge;
    for (int n = 0; n < kChannels && !t.failed(); ++n) {
        keptCharge[static_cast<std::size_t>(n)] = t.read(at(kCharge, n));
        measureChannel(t, n, current);
    }

    FResult.transferFailed = t.failed();
    // 6.
    if (FResult.succeeded())
        FSession.KvnAddItem(QString::fromLatin1(engmsg::kCalcSuccess), TMessageType::Info);

    // 8. Put the chip back.
    t.beginRestore();
    if (current) {
        if (global && !acFilterWasOff)
            t.modify(kGlobal, 0, 0x10);
        for (int n = 0; n < kChannels; ++n) {
            if (const auto& b = keptCharge[static_cast<std::size_t>(n)])
                t.write(at(kCharge, n), *b);
        }
        for (int i = 0; i < 7; ++i) {
            if (const auto& b = kept51to57[static_cast<std::size_t>(i)])
                t.write(at(kEngineering, i), *b);
        }
        t.modify(kSystem, kRedoAti, 0);
    } else {
        t.modify(kSystem, kSoftReset, 0);
    }
    // 9. The window takes what the chip now holds.
    wait(kSettleMs);
    FSession.UpdateAllSettingsClick();

    FRunning = false;
    emit finished(FResult);
    return FResult;
}

void TCapacitanceCalculation::measureChannel(TTransfers& t, int n, bool current)
{
    const auto un = static_cast<std::size_t>(n);
    int step = 0;
    const auto progress = [&] { emit channelProgress(n, ++step * 100 / kProgressSteps); };

    if (!current) {
        t.modify(at(kCharge, n), 0x30, 0);  // charge frequency divider 1/16
        t.modify(kSystem, kOscillator4MHz, 0);
    }
    t.modify(kEngineering, 0, 0x02);  // calibration capacitor off
    if (!current)
        t.write(at(kAti, n), 0x60);  // ATI base 100, target 32 x 32
    wait(200);
    t.modify(kSystem, kRedoAti, 0);
    progress();

    bool atiDone = false;
    for (int poll = 0; poll < kAtiPolls && !t.failed(); ++poll) {
        wait(10);
        const auto flags = t.read(kSysFlags);
        if (flags && !(*flags & kAtiBusy)) {
            atiDone = true;
            break;
        }
    }
    if (t.failed())
        return;
    FResult.atiCompleted[un] = atiDone;
    if (!atiDone)
        FSession.KvnAddItem(QString::fromLatin1(engmsg::kAtiIncomplete) + QString::number(n) +
                                QString::fromLatin1(engmsg::kAtiIncompleteEnd),
                            TMessageType::Error);
    progress();

    TCapReadings& r = FResult.readings[un];
    const auto reading = [&](int i) {
        wait(kSettleMs);
        if (const auto c = t.counts(n))
            r.R[static_cast<std::size_t>(i)] = *c;
        progress();
    };
    t.modify(at(kCharge, n), 0, 0x03);  // auto ATI off
    reading(0);
    t.modify(kEngineering, 0x02, 0x0C);  // capacitor on, select 0
    reading(1);
    t.modify(kEngineering, 0x0A, 0x04);  // select 2
    reading(2);
    t.modify(kEngineering, 0x0E, 0);  // select 3
    reading(3);
    t.modify(kEngineering, 0, 0x02);  // capacitor off
    t.write(at(kCompensation, n), 0);
    t.modify(at(kMultipliers, n), 0, 0xC0);  // compensation 0
    reading(4);
    if (t.failed())
        return;

    const auto load = loadCapacitance(r);
    FResult.values[un] = load.value_or(0.0);
    if (!load)
        FSession.KvnAddItem(QString::fromLatin1(engmsg::kCalcError) + QString::number(n),
                            TMessageType::Error);
}
