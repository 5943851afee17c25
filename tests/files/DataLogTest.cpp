#include "DataLogWriter.h"
#include "FileMessages.h"
#include "FrameDecoder.h"
#include "LiveChannelState.h"
#include "StreamTable.h"
#include "TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TLogSelection onlyCount0()
{
    TLogSelection s;
    s.qrd = s.hall = s.metal = false;
    s.counts = {true, false, false, false, false, false};
    return s;
}

TLogTime at(int h, int m, int sec, int ms, std::int64_t steady)
{
    return {{h, m, sec, ms}, steady};
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, '\t');)
        out.push_back(f);
    return out;
}

// A stream whose device accepts `room` bytes and then reports a full disk.
class FullDisk : public std::streambuf {
public:
    explicit FullDisk(std::size_t room) : FRoom(room) {}
    std::string written;

protected:
    int_type overflow(int_type c) override
    {
        if (c == traits_type::eof())
            return traits_type::not_eof(c);
        if (written.size() >= FRoom)
            return traits_type::eof();
        written.push_back(static_cast<char>(c));
        return c;
    }

private:
    std::size_t FRoom;
};

class FullDiskStream : public std::ostream {
public:
    explicit FullDiskStream(std::size_t room) : std::ostream(nullptr), buf(room) { rdbuf(&buf); }
    FullDisk buf;
};

} // namespace

TEST(LogFormat, HeaderFollowsTheSelectionInOrder)
{
    EXPECT_EQ(logformat::headerLine(onlyCount0()), "Time Stamp\tTime Difference (ms)\tCount CH0");
    EXPECT_EQ(logformat::headerLine(TLogSelection{}),
              "Time Stamp\tTime Difference (ms)\tSAR Quick Release\tHall Value\t"
              "Metal Detect Value\tCount CH0\tCount CH1");
    TLogSelection all;
    all.counts.fill(true);
    all.lta.fill(true);
    all.delta = {false, false, true};
    all.prox = {true, false, false};
    all.touch = {false, true, false};
    EXPECT_EQ(logformat::headerLine(all),
              "Time Stamp\tTime Difference (ms)\tSAR Quick Release\tHall Value\t"
              "Metal Detect Value\tCount CH0\tCount CH1\tCount CH2\tCount CH3\tCount CH4\t"
              "Count CH5\tLTA CH0\tLTA CH1\tLTA CH2\tDelta CH2\tProx CH0\tTouch CH1");
    EXPECT_TRUE(all.anyChannelColumn());
    TLogSelection none = onlyCount0();
    none.counts[0] = false;
    EXPECT_FALSE(none.anyChannelColumn());
}

TEST(LogFormat, DataLineShapes)
{
    EXPECT_EQ(logformat::timeStamp({14, 3, 27, 512}), "14:03:27.(512)");
    EXPECT_EQ(logformat::timeStamp({0, 0, 5, 7}), "00:00:05.(007)");

    TLogSelection s;
    s.delta = {true, false, false};
    s.prox = {true, true, false};
    s.touch = {false, false, true};
    TLogSample v;
    v.qrd = 65535;
    v.hall = 300; // south pole: shown as -300, logged as received
    v.metal = 12;
    v.counts = {1000, 1001, 1002, 1003, 1004, 1005};
    v.delta = {-25, 0, 0};
    v.prox = {true, false, true};
    v.touch = {false, false, true};
    EXPECT_EQ(logformat::dataLine(s, v, {14, 3, 27, 512}, std::nullopt),
              "14:03:27.(512)\t-\t65535\t300\t12\t1000\t1001\t-25\t1\t0\t1");
    EXPECT_EQ(fields(logformat::dataLine(onlyCount0(), v, {1, 2, 3, 4}, 16)),
              (std::vector<std::string>{"01:02:03.(004)", "16", "1000"}));
}

TEST(DataLogWriter, WritesHeaderAndFlushedLinesWithCrlf)
{
    TTempFolder tmp;
    const auto file = tmp / "MFS380A_Log.txt";
    TDataLogWriter log;
    ASSERT_TRUE(log.start(file, onlyCount0())) << log.error();
    EXPECT_EQ(TTempFolder::read(file), "Time Stamp\tTime Difference (ms)\tCount CH0\r\n");
    TLogSample v;
    v.counts[0] = 812;
    EXPECT_EQ(log.frame(v, at(9, 0, 0, 990, 1000)), TDataLogWriter::TFrameResult::Written);
    // On disk as soon as the frame is handled, before the log stops.
    EXPECT_EQ(TTempFolder::read(file), "Time Stamp\tTime Difference (ms)\tCount CH0\r\n"
                                       "09:00:00.(990)\t-\t812\r\n");
    v.counts[0] = 813;
    EXPECT_EQ(log.frame(v, at(9, 0, 1, 23, 1033)), TDataLogWriter::TFrameResult::Written);
    log.stop();
    EXPECT_FALSE(log.isLogging());
    EXPECT_EQ(log.frame(v, at(9, 0, 1, 50, 1060)), TDataLogWriter::TFrameResult::NotLogging);
    EXPECT_EQ(TTempFolder::read(file), "Time Stamp\tTime Difference (ms)\tCount CH0\r\n"
                                       "09:00:00.(990)\t-\t812\r\n"
                                       "09:00:01.(023)\t33\t813\r\n");
}

TEST(DataLogWriter, LogEveryFifthSample)
{
    std::ostringstream* out = nullptr;
    TDataLogWriter log([&](const std::filesystem::path&) {
        auto s = std::make_unique<std::ostringstream>();
        out = s.get();
        return s;
    });
    TLogSelection s = onlyCount0();
    s.everyX = true;
    s.sampleRate = 5;
    ASSERT_TRUE(log.start("log.txt", s));
    std::vector<int> written;
    for (int frame = 1; frame <= 12; ++frame) {
        TLogSample v;
        v.counts[0] = frame;
        if (log.frame(v, at(10, 0, 0, 0, frame * 10)) == TDataLogWriter::TFrameResult::Written)
            written.push_back(frame);
    }
    EXPECT_EQ(written, (std::vector<int>{5, 10}));
    EXPECT_NE(out->str().find("\t-\t5\r\n"), std::string::npos);
    EXPECT_NE(out->str().find("\t50\t10\r\n"), std::string::npos);

    // A new start counts from zero again and begins with "-".
    ASSERT_TRUE(log.start("log.txt", s));
    for (int frame = 1; frame <= 4; ++frame)
        EXPECT_EQ(log.frame(TLogSample{}, at(10, 0, 0, 0, 0)),
                  TDataLogWriter::TFrameResult::Skipped);
    EXPECT_EQ(log.frame(TLogSample{}, at(10, 0, 0, 0, 0)), TDataLogWriter::TFrameResult::Written);
    EXPECT_NE(out->str().find("\t-\t0\r\n"), std::string::npos);
}

TEST(DataLogWriter, StartFailsCleanlyWhenTheFileCannotBeWritten)
{
    TTempFolder tmp;
    TDataLogWriter log;
    EXPECT_FALSE(log.start(tmp / "no" / "such" / "folder.txt", onlyCount0()));
    EXPECT_FALSE(log.isLogging());
    EXPECT_FALSE(log.error().empty());
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(log.start("/dev/full", onlyCount0())) << "the header cannot be written";
        EXPECT_FALSE(log.isLogging());
        EXPECT_NE(log.error().find("/dev/full"), std::string::npos) << log.error();
    }
    EXPECT_STREQ(filemsg::kLogStartError, "Unabled to start data log!");
}

TEST(DataLogWriter, WriteErrorWhileLoggingStopsTheLog)
{
    FullDiskStream* stream = nullptr;
    TDataLogWriter log([&](const std::filesystem::path&) {
        auto s = std::make_unique<FullDiskStream>(80); // room for the header and one line
        stream = s.get();
        return s;
    });
    ASSERT_TRUE(log.start("log.txt", onlyCount0())) << log.error();
    EXPECT_EQ(log.frame(TLogSample{}, at(1, 1, 1, 1, 1)), TDataLogWriter::TFrameResult::Written);
    EXPECT_EQ(log.frame(TLogSample{}, at(1, 1, 1, 2, 2)), TDataLogWriter::TFrameResult::Failed);
    EXPECT_FALSE(log.isLogging());
    EXPECT_NE(log.error().find("log.txt"), std::string::npos) << log.error();
    EXPECT_EQ(log.frame(TLogSample{}, at(1, 1, 1, 3, 3)), TDataLogWriter::TFrameResult::NotLogging);
}

// A stream that takes everything into its buffer but fails every flush after
// the first (the header's).
class FailingFlush : public std::stringbuf {
protected:
    int sync() override { return ++FSyncs > 1 ? -1 : 0; }

private:
    int FSyncs = 0;
};

class FailingFlushStream : public std::ostream {
public:
    FailingFlushStream() : std::ostream(nullptr) { rdbuf(&buf); }
    FailingFlush buf;
};

TEST(DataLogWriter, DeferredLinesReachTheFileOnFlushAndAFailedFlushStopsTheLog)
{
    TTempFolder tmp;
    const auto file = tmp / "MFS380A_Log.txt";
    TDataLogWriter log;
    log.setDeferredFlush(true);
    ASSERT_TRUE(log.start(file, onlyCount0())) << log.error();
    const std::string header = "Time Stamp\tTime Difference (ms)\tCount CH0\r\n";
    EXPECT_EQ(TTempFolder::read(file), header) << "the header is written at once";
    TLogSample v;
    v.counts[0] = 812;
    EXPECT_EQ(log.frame(v, at(9, 0, 0, 990, 1000)), TDataLogWriter::TFrameResult::Written);
    v.counts[0] = 813;
    EXPECT_EQ(log.frame(v, at(9, 0, 0, 991, 1001)), TDataLogWriter::TFrameResult::Written);
    EXPECT_TRUE(log.hasUnflushed());
    EXPECT_EQ(TTempFolder::read(file), header);
    EXPECT_TRUE(log.flush());
    EXPECT_FALSE(log.hasUnflushed());
    EXPECT_EQ(TTempFolder::read(file), header + "09:00:00.(990)\t-\t812\r\n"
                                                "09:00:00.(991)\t1\t813\r\n");
    log.stop();
    EXPECT_TRUE(log.flush()) << "nothing to do when not logging";

    TDataLogWriter failing([](const std::filesystem::path&) {
        return std::make_unique<FailingFlushStream>();
    });
    failing.setDeferredFlush(true);
    ASSERT_TRUE(failing.start("log.txt", onlyCount0())) << failing.error();
    EXPECT_EQ(failing.frame(v, at(9, 0, 0, 990, 1000)), TDataLogWriter::TFrameResult::Written);
    EXPECT_FALSE(failing.flush());
    EXPECT_FALSE(failing.isLogging());
    EXPECT_NE(failing.error().find("log.txt"), std::string::npos) << failing.error();

    // Lines still buffered when the log stops: written, or the stop says so.
    TDataLogWriter stopping([](const std::filesystem::path&) {
        return std::make_unique<FailingFlushStream>();
    });
    stopping.setDeferredFlush(true);
    ASSERT_TRUE(stopping.start("log.txt", onlyCount0())) << stopping.error();
    EXPECT_EQ(stopping.frame(v, at(9, 0, 0, 990, 1000)), TDataLogWriter::TFrameResult::Written);
    EXPECT_FALSE(stopping.stop());
    EXPECT_FALSE(stopping.isLogging());
    EXPECT_TRUE(stopping.stop()) << "nothing left to write";
}

TEST(LogFormat, SampleFromTheLiveStateLogsTheHallValueAsReceived)
{
    TLiveChannelState state;
    state.FHallValue = 300;
    state.FHallNS = false; // south pole
    state.FQRDValue = 9;
    state.FMetalUIValue = 4;
    state.FCurrentChs = {10, 11, 12, 13, 14, 15};
    state.FLTAChs = {20, 21, 22, 13, 14, 15};
    state.FDeltaChs = {-10, -10, -10, 0, 0, 0};
    state.FProxBools = {true, false, true, true};
    state.FTouchBools = {false, true, false, true};
    ASSERT_EQ(shownHallValue(state), -300);
    const TLogSample v = logSample(state);
    EXPECT_EQ(v.hall, 300);
    EXPECT_EQ(v.qrd, 9);
    EXPECT_EQ(v.metal, 4);
    EXPECT_EQ(v.counts, state.FCurrentChs);
    EXPECT_EQ(v.lta, (std::array<std::int32_t, 3>{20, 21, 22}));
    EXPECT_EQ(v.delta, (std::array<std::int32_t, 3>{-10, -10, -10}));
    EXPECT_EQ(v.prox, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(v.touch, (std::array<bool, 3>{false, true, false}));
    TLogSelection s = onlyCount0();
    s.hall = true;
    EXPECT_EQ(logformat::dataLine(s, v, {12, 0, 0, 0}, 5), "12:00:00.(000)\t5\t300\t10");
}

TEST(LogFormat, StreamingBlocksTheSelectionNeeds)
{
    TStreamLayout layout;
    layout.LTAActive = true; // averages streamed, counts and flags off
    TLogSelection deltas = onlyCount0();
    deltas.counts[0] = false;
    deltas.delta[1] = true;
    EXPECT_EQ(missingStreaming(deltas, layout), (TLogStreamNeeds{true, false, false}));
    TLogSelection flags = onlyCount0();
    flags.counts[0] = false;
    flags.touch[2] = true;
    EXPECT_EQ(missingStreaming(flags, layout), (TLogStreamNeeds{false, false, true}));
    layout.CSActive = layout.PTActive = true;
    EXPECT_FALSE(missingStreaming(deltas, layout).any());
    EXPECT_FALSE(missingStreaming(flags, layout).any());
}
