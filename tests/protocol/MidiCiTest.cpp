#include "protocol/MidiCi.h"

#include "support/FakeInstrumentHost.h"
#include "support/SimulatedMidiCiDevice.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace
{
const CiMuid own { 0x04, 0x05, 0x06, 0x07 };
const CiMuid dev { 0x11, 0x22, 0x33, 0x44 };
const CiMuid all { 0x7F, 0x7F, 0x7F, 0x7F };
const CiMuid other { 0x01, 0x02, 0x03, 0x04 };

const CiBytes drawbarId { 0x7E, 0x21, 0x00, 0x01, 0x01 };
const CiBytes secondId { 0x7E, 0x40, 0x01, 0x01, 0x01 };
const CiBytes unknownId { 0x11, 0x22, 0x33, 0x44, 0x55 };

const CiBytes ownIdentity { 0x09, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01,
                            0x05, 0x00, 0x00, 0x06, 0x00, 0x01, 0x00, 0x00 };
const CiBytes midi1And2 { 0x30, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00 };

CiBytes identityOf (u8 manufacturer, u8 major, u8 minor, u8 patch, u8 build)
{
    return { manufacturer, 0x00,  0x00,  0x01, 0x00, 0x02, 0x00, major,
             minor,        patch, build, 0x0E, 0x00, 0x02, 0x00, 0x00 };
}

/** Authority level and the 48 test bytes, optionally with one byte changed or a different count. */
CiBytes testBody (int count = 48, int changedPosition = -1)
{
    CiBytes body { 0x30 };

    for (int i = 0; i < count; ++i)
        body.push_back ((u8) i);

    if (changedPosition >= 0)
        body[(size_t) (changedPosition - 14)] = 0x55;

    return body;
}

CiBytes concat (std::initializer_list<CiBytes> parts)
{
    CiBytes all;

    for (const auto& p : parts)
        all.insert (all.end(), p.begin(), p.end());

    return all;
}

void receive (const CiBytes& message, u8 logging = 0)
{
    check_ci_stuff (message.data() + 1, (int) message.size() - 1, logging);
}

class MidiCi : public ::testing::Test
{
protected:
    void SetUp() override { ci_init_state(); }
    void TearDown() override { ci_init_state(); }

    std::vector<CiBytes> sent() const
    {
        std::vector<CiBytes> result;

        for (size_t i = 0; i < host.output->sent.size(); ++i)
            result.push_back (host.output->bytesOf (i));

        return result;
    }

    FakeInstrumentHost host;
};

//==============================================================================
struct CiCase
{
    const char* name;
    CiBytes received;
    std::vector<CiBytes> answers;
    std::function<void (const InstrumentHost&)> check = {};
};

class MidiCiSubIds : public MidiCi, public ::testing::WithParamInterface<CiCase>
{
};

TEST_P (MidiCiSubIds, AnswerAsMidiCi11)
{
    const auto& c = GetParam();
    receive (c.received);

    EXPECT_EQ (sent(), c.answers) << c.name;

    for (const auto& answer : sent())
        EXPECT_EQ (checkMidiCi11Layout (answer.data(), (int) answer.size(), own, dev), "") << c.name;

    if (c.check)
        c.check (host);
}

INSTANTIATE_TEST_SUITE_P (
    EverySubId, MidiCiSubIds,
    ::testing::Values (
        CiCase { "discovery inquiry to all",
                 makeCiMessage (0x70, dev, all, identityOf (0x7D, 0, 0, 0, 0)),
                 { makeCiMessage (0x71, own, dev, ownIdentity) } },
        CiCase { "discovery inquiry without identity still gets a whole reply",
                 makeCiMessage (0x70, dev, all),
                 { makeCiMessage (0x71, own, dev, ownIdentity) } },
        CiCase { "discovery inquiry to another MUID is answered too",
                 makeCiMessage (0x70, dev, other, identityOf (0x7D, 0, 0, 0, 0)),
                 { makeCiMessage (0x71, own, dev, ownIdentity) } },
        CiCase { "discovery reply from us starts the negotiation",
                 makeCiMessage (0x71, dev, own, identityOf (0x09, 2, 3, 4, 5)),
                 { makeCiMessage (0x10, own, dev, midi1And2) },
                 [] (const InstrumentHost& h)
                 {
                     EXPECT_EQ (h.ciSoftwareRevision, 0x05040302u);
                     EXPECT_EQ (cis.remote_identity[7], 2);
                 } },
        CiCase { "discovery reply from another maker",
                 makeCiMessage (0x71, dev, own, identityOf (0x7D, 2, 3, 4, 5)),
                 { makeCiMessage (0x10, own, dev, midi1And2) },
                 [] (const InstrumentHost& h) { EXPECT_EQ (h.ciSoftwareRevision, 0u); } },
        CiCase { "discovery reply cut short",
                 makeCiMessage (0x71, dev, own, { 0x09, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x02, 0x03 }),
                 {},
                 [] (const InstrumentHost& h) { EXPECT_EQ (h.ciSoftwareRevision, 0u); } },
        CiCase { "protocol inquiry",
                 makeCiMessage (0x10, dev, own, { 0x30, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00 }),
                 { makeCiMessage (0x11, own, dev, { 0x30, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00 }) } },
        CiCase { "protocol inquiry offering nothing",
                 makeCiMessage (0x10, dev, own, { 0x30, 0x00 }),
                 { makeCiMessage (0x7F, own, dev) } },
        CiCase { "protocol inquiry without its count", makeCiMessage (0x10, dev, own, { 0x30 }), {} },
        CiCase { "protocol inquiry to another MUID",
                 makeCiMessage (0x10, dev, other, { 0x30, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00 }),
                 { makeCiMessage (0x7F, own, dev) } },
        CiCase { "protocol capabilities select MIDI 1.0",
                 makeCiMessage (0x11, dev, own, { 0x30, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00 }),
                 { makeCiMessage (0x12, own, dev, { 0x30, 0x01, 0x00, 0x00, 0x00, 0x00 }) },
                 [] (const InstrumentHost& h) { EXPECT_EQ (h.startupStep, 1); } },
        CiCase { "protocol capabilities offering nothing",
                 makeCiMessage (0x11, dev, own, { 0x30, 0x00 }),
                 { makeCiMessage (0x7F, own, dev) },
                 [] (const InstrumentHost& h) { EXPECT_EQ (h.startupStep, 3); } },
        CiCase {
            "set new protocol", makeCiMessage (0x12, dev, own, { 0x30, 0x01, 0x00, 0x00, 0x00, 0x00 }), {} },
        CiCase { "test from the device",
                 makeCiMessage (0x13, dev, own, testBody()),
                 { makeCiMessage (0x14, own, dev, testBody()) } },
        CiCase { "test whose position 40 is not 19",
                 makeCiMessage (0x13, dev, own, testBody (48, 40)),
                 { makeCiMessage (0x7F, own, dev) } },
        CiCase { "test one byte too long",
                 makeCiMessage (0x13, dev, own, testBody (49)),
                 { makeCiMessage (0x7F, own, dev) } },
        CiCase { "test cut short", makeCiMessage (0x13, dev, own, testBody (30)), {} },
        CiCase { "test answer is confirmed with an authority level",
                 makeCiMessage (0x14, dev, own, testBody()),
                 { makeCiMessage (0x15, own, dev, { 0x30 }) } },
        CiCase { "wrong test answer",
                 makeCiMessage (0x14, dev, own, testBody (48, 62)),
                 { makeCiMessage (0x7F, own, dev) } },
        CiCase { "confirmation asks for profiles",
                 makeCiMessage (0x15, dev, own, { 0x30 }),
                 { makeCiMessage (0x20, own, dev) } },
        CiCase { "profile inquiry",
                 makeCiMessage (0x20, dev, own),
                 { makeCiMessage (0x21, own, dev,
                                  concat ({ { 0x01, 0x00 }, drawbarId, { 0x01, 0x00 }, secondId })) } },
        CiCase { "set profile on",
                 makeCiMessage (0x22, dev, own, secondId),
                 { makeCiMessage (0x24, own, all, secondId) },
                 [] (const InstrumentHost&) { EXPECT_EQ (cis.profiles[1].state, PROFILE_ON); } },
        CiCase { "set profile on for a profile we do not have",
                 makeCiMessage (0x22, dev, own, unknownId),
                 { makeCiMessage (0x25, own, all, unknownId) } },
        CiCase { "set profile on without its ID", makeCiMessage (0x22, dev, own, { 0x7E, 0x40 }), {} },
        CiCase { "set profile off",
                 makeCiMessage (0x23, dev, own, drawbarId),
                 { makeCiMessage (0x25, own, all, drawbarId) },
                 [] (const InstrumentHost&) { EXPECT_EQ (cis.profiles[0].state, PROFILE_OFF); } },
        CiCase {
            "set profile off for a profile we do not have", makeCiMessage (0x23, dev, own, unknownId), {} },
        CiCase { "profile enabled report to all",
                 makeCiMessage (0x24, dev, all, secondId),
                 {},
                 [] (const InstrumentHost&) { EXPECT_EQ (cis.profiles[1].state, PROFILE_ON); } },
        CiCase { "profile disabled report to all",
                 makeCiMessage (0x25, dev, all, drawbarId),
                 {},
                 [] (const InstrumentHost&) { EXPECT_EQ (cis.profiles[0].state, PROFILE_OFF); } },
        CiCase { "profile specific data",
                 makeCiMessage (0x2F, dev, own,
                                concat ({ drawbarId, { 0x03, 0x00, 0x00, 0x00, 0x0A, 0x0B, 0x0C } })),
                 {},
                 [] (const InstrumentHost&)
                 {
                     EXPECT_EQ (cis.profile_data_length, 3);
                     EXPECT_EQ (cis.profiles[0].data, cis.profile_data);
                     EXPECT_EQ (cis.profile_data[2], 0x0C);
                 } },
        CiCase { "profile specific data longer than what arrived",
                 makeCiMessage (0x2F, dev, own,
                                concat ({ drawbarId, { 0x0A, 0x00, 0x00, 0x00, 0x0A, 0x0B, 0x0C } })),
                 {},
                 [] (const InstrumentHost&) { EXPECT_EQ (cis.profile_data_length, 0); } },
        CiCase { "property exchange inquiry", makeCiMessage (0x30, dev, own, { 0x01 }), {} },
        CiCase { "invalidate MUID to all", makeCiMessage (0x7E, dev, all, { 0x01, 0x02, 0x03, 0x04 }), {} },
        CiCase { "NAK", makeCiMessage (0x7F, dev, own), {} },
        CiCase { "unlisted sub-ID", makeCiMessage (0x40, dev, own, { 0x01 }), {} },

        // Dropped before anything is looked at
        CiCase { "version 02",
                 []
                 {
                     auto m = makeCiMessage (0x70, dev, all, identityOf (0x7D, 0, 0, 0, 0));
                     m[5] = 0x02;
                     return m;
                 }(),
                 {} },
        CiCase { "device id 05",
                 []
                 {
                     auto m = makeCiMessage (0x20, dev, own);
                     m[2] = 0x05;
                     return m;
                 }(),
                 {} },
        CiCase { "status byte inside",
                 []
                 {
                     auto m = makeCiMessage (0x20, dev, own, { 0x01 });
                     m[14] = 0xF7;
                     return m;
                 }(),
                 {} },
        CiCase { "no closing F7",
                 []
                 {
                     auto m = makeCiMessage (0x20, dev, own);
                     m.pop_back();
                     return m;
                 }(),
                 {} },
        CiCase { "header cut short", { 0xF0, 0x7E, 0x7F, 0x0D, 0x70, 0x01, 0x11, 0x22, 0xF7 }, {} },
        CiCase { "longer than the work area", makeCiMessage (0x30, dev, own, CiBytes (260, 0x01)), {} }),
    [] (const auto& info)
    {
        return juce::String (info.param.name)
            .retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789")
            .toStdString();
    });

//==============================================================================
TEST_F (MidiCi, RemoteProfileListsAreStoredAndAnswered)
{
    receive (makeCiMessage (0x21, dev, own,
                            concat ({ { 0x02, 0x00 },
                                      drawbarId,
                                      unknownId,
                                      { 0x02, 0x00 },
                                      secondId,
                                      { 0x01, 0x02, 0x03, 0x04, 0x05 } })));

    EXPECT_EQ (sent(), (std::vector<CiBytes> { makeCiMessage (0x24, own, all, drawbarId),
                                               makeCiMessage (0x23, own, all, unknownId),
                                               makeCiMessage (0x22, own, all, secondId) }));

    // The disabled list is stored from entry 0 on, over the last enabled ID.
    EXPECT_EQ (cis.remote_profiles[0].state, PROFILE_OFF);
    EXPECT_EQ (CiBytes (cis.remote_profiles[0].id, cis.remote_profiles[0].id + 5), secondId);
    EXPECT_EQ (cis.remote_profiles[1].state, PROFILE_OFF);
    EXPECT_EQ (cis.remote_profiles[1].id[4], 0x05);
}

TEST_F (MidiCi, RemoteProfileListsCutShortAreIgnoredWhole)
{
    // Two enabled IDs announced, one there.
    receive (makeCiMessage (0x21, dev, own, concat ({ { 0x02, 0x00 }, drawbarId, { 0x00, 0x00 } })));
    // Disabled count missing.
    receive (makeCiMessage (0x21, dev, own, concat ({ { 0x01, 0x00 }, drawbarId })));
    // More than four disabled IDs: only four are kept.
    CiBytes five { 0x00, 0x00, 0x05, 0x00 };
    for (u8 i = 0; i < 5; ++i)
        five.insert (five.end(), { 0x20, i, 0x00, 0x00, 0x00 });
    receive (makeCiMessage (0x21, dev, own, five));

    EXPECT_TRUE (sent().empty());
    EXPECT_EQ (cis.remote_profiles[3].id[1], 3);
}

TEST_F (MidiCi, AnswerNeverCarriesBytesOfAnEarlierMessage)
{
    receive (makeCiMessage (0x13, dev, own, testBody()));
    receive (makeCiMessage (0x15, dev, own, { 0x30 }));
    receive (makeCiMessage (0x70, dev, all));

    const auto answers = sent();
    ASSERT_EQ (answers.size(), 3u);
    EXPECT_EQ (answers[1].size(), 15u);
    EXPECT_EQ (answers[2], makeCiMessage (0x71, own, dev, ownIdentity));
}

TEST_F (MidiCi, LabelsAndAnswerLinesWhenLogging)
{
    receive (makeCiMessage (0x70, dev, all), 1);
    receive (makeCiMessage (0x10, dev, own, { 0x30, 0x00 }), 1);
    receive (makeCiMessage (0x14, dev, own, testBody()), 1);
    receive (makeCiMessage (0x71, dev, own, identityOf (0x09, 1, 4, 0, 15)), 1);
    receive (makeCiMessage (0x50, dev, own), 1);

    EXPECT_EQ (host.inLog,
               juce::StringArray ({ "CIM_DISCOVERY_INQUIRY        ", "CIM_PROTOCOL_INQUIRY         ",
                                    "CIM_TEST_NEW_PROTOCOL_R2I    ", "CIM_DISCOVERY_REPLY          " }));
    EXPECT_EQ (
        host.outLog,
        juce::StringArray (
            { "CI out from service_discovery_inquiry               ", "CI out from nack_it               ",
              "CI out from service_test_new_protocol_r2i  CIM_PROTOCOL_ESTABLISHED             ",
              "version  1.4.0-15", "CI out from service_discovery_reply               " }));
}

TEST_F (MidiCi, WithoutLoggingOnlyTheVersionLineIsWritten)
{
    receive (makeCiMessage (0x70, dev, all));
    receive (makeCiMessage (0x71, dev, own, identityOf (0x09, 1, 4, 0, 15)));

    EXPECT_TRUE (host.inLog.isEmpty());
    EXPECT_EQ (host.outLog, juce::StringArray ({ "version  1.4.0-15" }));
}

TEST_F (MidiCi, ProtocolTestGoesToTheMuidsOfTheLastAnswer)
{
    receive (makeCiMessage (0x11, dev, own, { 0x30, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00 }));
    host.output->sent.clear();

    send_protocol_test_message();

    ASSERT_EQ (sent().size(), 1u);
    EXPECT_EQ (sent()[0], makeCiMessage (0x13, own, dev, testBody()));
    EXPECT_EQ (checkMidiCi11Layout (sent()[0].data(), 64, own, dev), "");
}

TEST_F (MidiCi, XmitSendsUpToTheFirstF7AndNothingWithoutOne)
{
    const u8 withEnd[] = { 0xF0, 0x7E, 0x7F, 0x0D, 0x7F, 0x01, 0x04, 0x05,
                           0x06, 0x07, 0x11, 0x22, 0x33, 0x44, 0xF7, 0x99 };
    xmit_ci_packet (withEnd);
    ASSERT_EQ (sent().size(), 1u);
    EXPECT_EQ (sent()[0].size(), 15u);

    u8 endless[300];
    std::fill (std::begin (endless), std::end (endless), (u8) 0x01);
    endless[0] = 0xF0;
    endless[280] = 0xF7; // past the limit
    xmit_ci_packet (endless);
    EXPECT_EQ (sent().size(), 1u);

    cis.hex_dump = 1;
    xmit_ci_packet (withEnd);
    EXPECT_EQ (host.outLog,
               juce::StringArray ({ "", "xmit_ci_packet f0 7e 7f 0d 7f 01 04 05 06 07 11 22 33 44 f7" }));

    host.closeOutput();
    xmit_ci_packet (withEnd); // nothing to send through, nothing happens
}

//==============================================================================
TEST (MidiCi11Layout, RejectsWhatA11DeviceCouldNotRead)
{
    const std::vector<std::pair<CiBytes, const char*>> wrong {
        { makeCiMessage (0x15, own, dev), "confirmation without authority level" },
        { makeCiMessage (0x7F, own, dev, { 0x30, 0x00 }), "NAK with a body" },
        { makeCiMessage (0x10, own, dev, { 0x30, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00 }),
          "count says two protocols" },
        { makeCiMessage (0x12, dev, dev, { 0x30, 0x01, 0x00, 0x00, 0x00, 0x00 }), "source MUID not ours" },
        { makeCiMessage (0x12, own, all, { 0x30, 0x01, 0x00, 0x00, 0x00, 0x00 }), "negotiation to all" },
        { makeCiMessage (0x70, own, dev, ownIdentity), "discovery to one device" },
        { makeCiMessage (0x14, own, dev, testBody (48, 20)), "test bytes" },
        { makeCiMessage (0x22, own, all, { 0x7E }), "profile ID cut short" },
        { makeCiMessage (0x45, own, dev), "unknown sub-ID" },
        { []
          {
              auto m = makeCiMessage (0x20, own, dev);
              m[5] = 0x02;
              return m;
          }(),
          "version 02" },
    };

    for (const auto& [message, what] : wrong)
        EXPECT_NE (checkMidiCi11Layout (message.data(), (int) message.size(), own, dev), "") << what;
}

//==============================================================================
/** The program's MIDI-CI code and the simulated device, messages queued both ways. */
class MidiCiWithDevice : public MidiCi
{
protected:
    void SetUp() override
    {
        MidiCi::SetUp();
        host.output->onSend = [this] (const juce::MidiMessage& m)
        { toDevice.emplace_back (m.getRawData(), m.getRawData() + m.getRawDataSize()); };
    }

    void run()
    {
        while (!toDevice.empty() || !toProgram.empty())
        {
            if (!toDevice.empty())
            {
                const auto m = toDevice.front();
                toDevice.pop_front();
                device.receiveFromProgram (m.data(), (int) m.size());
            }

            if (!toProgram.empty())
            {
                const auto m = toProgram.front();
                toProgram.pop_front();
                receive (m);
            }
        }
    }

    std::deque<CiBytes> toDevice, toProgram;
    SimulatedMidiCiDevice device { [this] (const CiBytes& m) { toProgram.push_back (m); } };
};

TEST_F (MidiCiWithDevice, DeviceRefusesAndReportsAMalformedMessage)
{
    device.failOnLayoutErrors = false;
    const auto bad = makeCiMessage (0x15, own, dev);
    xmit_ci_packet (bad.data());
    run();

    ASSERT_EQ (device.layoutErrors.size(), 1);
    EXPECT_TRUE (device.layoutErrors[0].contains ("15 bytes, not 16"));
}
} // namespace
