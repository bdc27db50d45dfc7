#pragma once

#include "protocol/InstrumentRecords.h"

#include <juce_core/juce_core.h>

#include <array>
#include <functional>
#include <optional>
#include <vector>

using CiBytes = std::vector<u8>;
using CiMuid = std::array<u8, 4>;
using CiProfileId = std::array<u8, 5>;

/** Empty when the message (F0 to F7) follows the MIDI-CI 1.1 layout for its sub-ID, sent
    from `sourceMuid` to `deviceMuid` (or to all, where the message may be); else what is wrong. */
juce::String checkMidiCi11Layout (const u8* bytes, int size, const CiMuid& sourceMuid,
                                  const CiMuid& deviceMuid);

/** F0 7E 7F 0D sub 01 source destination body F7. */
CiBytes makeCiMessage (u8 subId, const CiMuid& source, const CiMuid& destination, const CiBytes& body = {});

//==============================================================================
/**
    The instrument's MIDI-CI 1.1 side. It answers what the program sends (discovery,
    protocol negotiation, tests, profile inquiry and profile on/off), can start exchanges of
    its own, and checks every message the program sends against the MIDI-CI 1.1 layout: a
    wrong one fails the running test and is answered with a NAK.
*/
class SimulatedMidiCiDevice
{
public:
    using Sender = std::function<void (const CiBytes&)>;

    /** `sendToProgram` receives each message the device sends, F0 to F7. */
    explicit SimulatedMidiCiDevice (Sender sendToProgram);

    /** Takes one message from the program; false when it is no MIDI-CI message. */
    bool receiveFromProgram (const u8* bytes, int size);

    //==============================================================================
    // Exchanges the device starts
    void sendDiscoveryInquiry();
    void sendProtocolNegotiation (int protocolCount);
    void sendTestNewProtocol (bool corrupt = false);
    void sendProtocolEstablished();
    void sendProfileInquiry();
    void sendSetProfile (bool on, const CiProfileId& id);
    void sendRaw (const CiBytes& message);

    //==============================================================================
    // Who the device is
    CiMuid muid { 0x11, 0x22, 0x33, 0x44 };
    CiMuid programMuid { 0x04, 0x05, 0x06, 0x07 };
    std::array<u8, 3> manufacturer { 0x09, 0x00, 0x00 };
    std::array<u8, 4> softwareRevision { 0x01, 0x04, 0x00, 0x0F };
    std::vector<CiProfileId> enabledProfiles;
    std::vector<CiProfileId> disabledProfiles;

    /** Each layout error also fails the running test when set. */
    bool failOnLayoutErrors = true;

    //==============================================================================
    // What happened
    std::vector<CiBytes> received;
    juce::StringArray layoutErrors;
    std::optional<std::array<u8, 5>> selectedProtocol;
    bool protocolEstablished = false;

    int countReceived (u8 subId) const;
    const CiBytes* lastReceived (u8 subId) const;

private:
    void send (u8 subId, const CiMuid& destination, const CiBytes& body = {});
    void answer (const CiBytes& message);
    void setProfileState (const CiProfileId& id, bool on);

    Sender sendToProgram;
};
