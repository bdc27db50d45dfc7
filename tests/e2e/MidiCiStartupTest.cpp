#include "support/InstrumentFixture.h"

#include "protocol/MidiCi.h"

using testhelpers::pumpMessages;
using testhelpers::pumpUntil;

namespace
{
class MidiCiStartup : public InstrumentFixture
{
};

TEST_F (MidiCiStartup, DiscoveryReplyNegotiationAndSetProtocolComplete)
{
    start();
    content->monitorFilter.sysex = 1;

    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_SET_NEW_SELECTED_PROTOCOL); }, 3000));

    const auto& device = instrument.midiCi;
    EXPECT_EQ (device.countReceived (CIM_DISCOVERY_INQUIRY), 1);
    ASSERT_EQ (device.countReceived (CIM_PROTOCOL_INQUIRY), 1);

    // MIDI 1.0 then MIDI 2.0 offered; MIDI 1.0 set.
    const auto& offer = *device.lastReceived (CIM_PROTOCOL_INQUIRY);
    EXPECT_EQ (CiBytes (offer.begin() + 14, offer.end()),
               (CiBytes { 0x30, 0x02, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0xF7 }));
    ASSERT_TRUE (device.selectedProtocol.has_value());
    EXPECT_EQ ((*device.selectedProtocol)[0], 0x01);

    EXPECT_EQ (content->startupStep, 1);
    EXPECT_EQ (content->ciSoftwareRevision, 0x0F000401u);
    EXPECT_TRUE (pumpUntil ([this] { return content->countOutLines ("version  1.4.0-15") == 1; }));

    // The step that would send a protocol test does not run; MIDI-CI never reaches the monitor.
    pumpMessages (200);
    EXPECT_TRUE (instrument.waitUntilIdle());
    EXPECT_EQ (device.countReceived (CIM_TEST_NEW_PROTOCOL_I2R), 0);
    EXPECT_TRUE (device.layoutErrors.isEmpty());

    for (auto& line : content->getInLines())
        EXPECT_FALSE (line.startsWith ("Sysex 7e")) << line;
}

TEST_F (MidiCiStartup, AnotherMakersDeviceIsStillNegotiatedWithoutAVersion)
{
    instrument.midiCi.manufacturer = { 0x7D, 0x00, 0x00 };
    start();

    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_SET_NEW_SELECTED_PROTOCOL); }, 3000));
    EXPECT_EQ (content->ciSoftwareRevision, 0u);
    EXPECT_EQ (content->startupStep, 1);

    for (auto& line : content->getOutLines())
        EXPECT_FALSE (line.startsWith ("version")) << line;
}

TEST_F (MidiCiStartup, DeviceStartedTestEndsWithProfilesAgreed)
{
    instrument.midiCi.enabledProfiles = { { 0x7E, 0x21, 0x00, 0x01, 0x01 } };
    instrument.midiCi.disabledProfiles = { { 0x7E, 0x40, 0x01, 0x01, 0x01 } };
    start();
    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_SET_NEW_SELECTED_PROTOCOL); }, 3000));

    // Test, answer, confirmation, profile inquiry, profile lists, then profile on for ours.
    instrument.midiCi.sendTestNewProtocol();
    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_SET_PROFILE_ON); }, 3000));
    ASSERT_TRUE (pumpUntil ([this] { return cis.profiles[1].state == PROFILE_ON; }));

    const auto& device = instrument.midiCi;
    EXPECT_TRUE (device.protocolEstablished);
    EXPECT_EQ (device.countReceived (CIM_TEST_NEW_PROTOCOL_R2I), 1);
    EXPECT_EQ (device.countReceived (CIM_PROFILE_INQUIRY), 1);
    EXPECT_EQ (device.countReceived (CIM_PROFILE_ENABLED), 1);
    EXPECT_EQ (device.enabledProfiles.size(), 2u);
}

TEST_F (MidiCiStartup, WrongTestFromTheDeviceIsRefused)
{
    start();
    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_SET_NEW_SELECTED_PROTOCOL); }, 3000));

    instrument.midiCi.sendTestNewProtocol (true);
    ASSERT_TRUE (pumpUntil ([this] { return instrumentGotCi (CIM_NAK); }, 3000));
    EXPECT_EQ (instrument.midiCi.countReceived (CIM_TEST_NEW_PROTOCOL_R2I), 0);
}
} // namespace
