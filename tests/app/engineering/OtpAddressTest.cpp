// Read Address and Write Address against the simulated chip and its OTP banks.
#include "EngineeringTexts.h"
#include "OtpAddress.h"
#include "SessionRig.h"

#include <gtest/gtest.h>

namespace {

// The code byte (report byte 2) and parameters of every command sent while f runs.
struct TSent {
    int code;
    QStringList params;
};
std::vector<TSent> sentDuring(SessionRig& rig, const std::function<void()>& f)
{
    std::vector<TSent> sent;
    auto c = QObject::connect(rig.session.get(), &TSession::commandSent, [&](const QString& line) {
        const QStringList b = line.split(' ', Qt::SkipEmptyParts);
        sent.push_back({b[2].toInt(nullptr, 16), b.mid(4, b[3].toInt(nullptr, 16))});
    });
    f();
    QObject::disconnect(c);
    return sent;
}

class OtpAddress : public ::testing::Test {
protected:
    explicit OtpAddress(std::uint8_t chipAddress = 0x44)
        : rig([chipAddress] {
              sim::ToolConfig t;
              t.chip.i2cAddress = chipAddress;
              return t;
          }())
    {
    }
    sim::ToolControl ctl() { return rig.backend.tool(rig.toolKey); }
    TOtpOutcome write(const char* entry)
    {
        return otp.WriteAddressButtonClick(*otpEntryIndex(QString::fromLatin1(entry)));
    }
    QString lastDialog() const
    {
        return rig.prompts.shown.empty() ? QString() : rig.prompts.shown.back().text;
    }

    SessionRig rig;
    TOtpAddress otp{*rig.session};
};

TEST(OtpEntries, BurnValueKeepsBurnedBitsAndRefusesClearingOne)
{
    EXPECT_EQ(otpBurnValue(0x1, 0x01), 0x01);  // "45" over 0x01: burned again
    EXPECT_FALSE(otpBurnValue(0x8, 0x01));     // "4C" over 0x01: 0x09 is not 0x08
    EXPECT_EQ(otpBurnValue(0xB, 0x09), 0x0B);
    EXPECT_EQ(otpBurnValue(0x2, 0x30), 0x32);  // bits outside the address are kept
    EXPECT_EQ(otpEntryIndex("4c"), 4);
    EXPECT_FALSE(otpEntryIndex("48"));
}

TEST_F(OtpAddress, ButtonsFollowTheStream)
{
    EXPECT_FALSE(otp.view().readEnabled);
    EXPECT_FALSE(otp.view().writeEnabled);
    rig.startStreaming();
    EXPECT_TRUE(otp.view().readEnabled);
    EXPECT_TRUE(otp.view().writeEnabled);
    rig.session->StartButtonClick();  // Stop
    EXPECT_FALSE(otp.view().readEnabled);
    EXPECT_FALSE(otp.view().writeEnabled);
}

class OtpAddressAt4E : public OtpAddress {
protected:
    OtpAddressAt4E() : OtpAddress(0x4E) {}
};

TEST_F(OtpAddressAt4E, ReadAddressProbesTheCandidatesInOrderAndStreamsOn)
{
    rig.startStreaming();
    rig.session->settingsWindow().currentAddressText = "-";
    std::optional<std::uint8_t> found;
    const auto sent = sentDuring(rig, [&] { found = otp.ReadAddressButtonClick(); });
    ASSERT_EQ(found, 0x4E);
    QStringList probes;
    for (const TSent& s : sent) {
        if (s.code == 0x0F)
            probes << s.params[2];
    }
    EXPECT_EQ(probes, QStringList({"44", "45", "46", "47", "4C", "4D", "4E"}));
    EXPECT_EQ(rig.session->settingsWindow().currentAddressText, "4E");
    EXPECT_EQ(rig.session->Device().I2CAddress(), "4E");
    EXPECT_TRUE(otp.addressRead());
    EXPECT_EQ(otp.view().readCaption, engmsg::kReadAddress);
    EXPECT_TRUE(otp.view().readEnabled);
    const int frames = rig.frames();
    rig.run(300);
    EXPECT_GT(rig.frames(), frames);
}

TEST_F(OtpAddress, ReadAddressWithNoChipLeavesTheButtonDisabled)
{
    rig.startStreaming();
    ctl().setChipAnswering(false);
    EXPECT_FALSE(otp.ReadAddressButtonClick());
    EXPECT_FALSE(otp.view().readEnabled);
    EXPECT_TRUE(otp.view().writeEnabled);
    EXPECT_EQ(otp.view().readCaption, engmsg::kReadAddress);
    EXPECT_FALSE(otp.addressRead());
}

TEST_F(OtpAddress, CancelledConfirmationSendsNothing)
{
    rig.startStreaming();
    rig.prompts.answers = {TDialogResult::Cancel};
    TOtpOutcome outcome{};
    const auto sent = sentDuring(rig, [&] { outcome = write("4D"); });
    EXPECT_EQ(outcome, TOtpOutcome::Cancelled);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(lastDialog(), engmsg::kConfirmWrite);
    EXPECT_EQ(rig.prompts.shown.back().icon, TDialogIcon::Warning);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(otp.view().writeEnabled);
    EXPECT_EQ(ctl().otpBank(0), 0);
}

TEST_F(OtpAddress, BurnedAddressAnswersAfterTheNextStart)
{
    rig.startStreaming();
    EXPECT_EQ(write("4D"), TOtpOutcome::Written);
    EXPECT_EQ(ctl().otpBank(0), 0x09);
    EXPECT_TRUE(rig.hasMessage(engmsg::kWriteSuccessful));
    EXPECT_EQ(lastDialog(), engmsg::kChangeSuccessful);
    EXPECT_EQ(rig.prompts.shown.back().icon, TDialogIcon::Information);
    // The session is stopped and both buttons wait for the next Start.
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_EQ(rig.session->buttons().startCaption, "Start");
    EXPECT_FALSE(otp.view().readEnabled);
    EXPECT_FALSE(otp.view().writeEnabled);
    EXPECT_EQ(otp.view().writeCaption, engmsg::kWriteAddress);
    EXPECT_FALSE(ctl().chipPowered());

    rig.startStreaming();
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.hasMessage("Device Address : 4DH"));
    EXPECT_EQ(rig.session->settingsWindow().currentAddressText, "4D");
    EXPECT_TRUE(otp.view().writeEnabled);
    EXPECT_GT(rig.frames(), 5);
}

TEST_F(OtpAddress, SameCodeBurnsAgainAndAClearedBitIsRefused)
{
    rig.startStreaming();
    ASSERT_EQ(write("45"), TOtpOutcome::Written);
    rig.startStreaming();
    // Bank 0 holds 0x01: "45" burns 0x01 again and verifies.
    EXPECT_EQ(write("45"), TOtpOutcome::Written);
    EXPECT_EQ(ctl().otpBank(0), 0x01);
    rig.startStreaming();
    // "4C" would need bit 0 cleared: refused before anything is burned.
    std::vector<TSent> sent;
    TOtpOutcome outcome{};
    sent = sentDuring(rig, [&] { outcome = write("4C"); });
    EXPECT_EQ(outcome, TOtpOutcome::Refused);
    EXPECT_EQ(lastDialog(), engmsg::kNotAvailable);
    EXPECT_EQ(ctl().otpBank(0), 0x01);
    for (const TSent& s : sent)
        EXPECT_NE(s.code, 0x0E) << "a fuse burn was sent";
    EXPECT_FALSE(rig.hasMessage(engmsg::kWriteError));
    EXPECT_EQ(otp.view().writeCaption, engmsg::kWriteAddress);
}

TEST_F(OtpAddress, WeakBurnsAreRetriedUpToFourTimes)
{
    rig.startStreaming();
    ctl().setWeakOtpBurns(1);
    int burns = 0;
    auto countBurns = [&](const std::vector<TSent>& sent) {
        burns = 0;
        for (const TSent& s : sent) {
            if (s.code == 0x0E) {
                ++burns;
                EXPECT_EQ(s.params, QStringList({"0D", "37", "03", "02"}));
            }
        }
    };
    countBurns(sentDuring(rig, [&] { EXPECT_EQ(write("46"), TOtpOutcome::Written); }));
    EXPECT_EQ(burns, 2);

    rig.startStreaming();
    ctl().setWeakOtpBurns(4);
    countBurns(sentDuring(rig, [&] { EXPECT_EQ(write("47"), TOtpOutcome::VerifyFailed); }));
    EXPECT_EQ(burns, 4);
    EXPECT_TRUE(rig.hasMessage(engmsg::kWriteError));
    EXPECT_EQ(lastDialog(), engmsg::kChangeFailed);
    EXPECT_EQ(rig.prompts.shown.back().icon, TDialogIcon::Error);
}

TEST_F(OtpAddress, AChipThatDoesNotEnterTestModeIsReported)
{
    rig.startStreaming();
    ctl().setChipAnswering(false);
    EXPECT_EQ(write("4D"), TOtpOutcome::TestModeFailed);
    EXPECT_TRUE(rig.hasMessage(engmsg::kTmNotEntered));
    EXPECT_EQ(lastDialog(), engmsg::kChangeFailed);
    EXPECT_EQ(ctl().otpBank(0), 0);
    EXPECT_FALSE(otp.view().writeEnabled);
}

}  // namespace
