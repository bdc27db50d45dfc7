#include "SimulatedMidiCiDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr CiMuid kBroadcast { 0x7F, 0x7F, 0x7F, 0x7F };
constexpr int kHeaderSize = 14; // F0 up to the destination MUID

CiMuid muidAt (const u8* bytes, int position)
{
    return { bytes[position], bytes[position + 1], bytes[position + 2], bytes[position + 3] };
}

/** The size a message of this sub-ID must have, from what it says about itself; 0 when unknown. */
int expectedSize (const u8* m, int size)
{
    switch (m[4])
    {
        case 0x70: // discovery inquiry and reply: identity of 16 bytes
        case 0x71:
            return kHeaderSize + 16 + 1;

        case 0x10: // protocol negotiation and its reply: authority, count, five bytes per protocol
        case 0x11:
            return size > 15 ? 16 + 5 * m[15] + 1 : 17;

        case 0x12: // set new protocol: authority, one protocol
            return kHeaderSize + 1 + 5 + 1;

        case 0x13: // tests: authority, 48 bytes
        case 0x14:
            return kHeaderSize + 1 + 48 + 1;

        case 0x15: // confirmation: authority
            return kHeaderSize + 1 + 1;

        case 0x20: // profile inquiry
        case 0x7F: // NAK
        case 0x7E: // invalidate MUID carries the MUID
            return m[4] == 0x7E ? kHeaderSize + 4 + 1 : kHeaderSize + 1;

        case 0x21: // profile inquiry reply: two counted lists of IDs
        {
            if (size < 17)
                return 17;

            const int enabled = m[14] | (m[15] << 7);
            const int disabledPos = 16 + 5 * enabled;

            if (disabledPos + 2 > size)
                return disabledPos + 3;

            const int disabled = m[disabledPos] | (m[disabledPos + 1] << 7);
            return disabledPos + 2 + 5 * disabled + 1;
        }

        case 0x22: // profile on/off and their reports: one ID
        case 0x23:
        case 0x24:
        case 0x25:
            return kHeaderSize + 5 + 1;

        default:
            return 0;
    }
}
} // namespace

juce::String checkMidiCi11Layout (const u8* m, int size, const CiMuid& sourceMuid, const CiMuid& deviceMuid)
{
    if (size < kHeaderSize + 1)
        return "shorter than a MIDI-CI header: " + juce::String (size) + " bytes";

    if (m[0] != 0xF0 || m[1] != 0x7E || m[3] != 0x0D || m[size - 1] != 0xF7)
        return "not a MIDI-CI message";

    if (m[2] != 0x7F && m[2] > 0x0F)
        return "device id " + juce::String::toHexString (m[2]);

    for (int i = 1; i < size - 1; ++i)
        if (m[i] >= 0x80)
            return "status byte inside the message at " + juce::String (i);

    if (m[5] != 0x01)
        return "version " + juce::String::toHexString (m[5]) + ", not 01";

    const auto subId = m[4];
    const auto expected = expectedSize (m, size);

    if (expected == 0)
        return "unknown sub-ID " + juce::String::toHexString (subId);

    if (muidAt (m, 6) != sourceMuid)
        return "source MUID is not the sender's";

    const auto destination = muidAt (m, 10);
    const bool mayBroadcast = subId == 0x70 || subId == 0x7E || (subId >= 0x22 && subId <= 0x25);

    if (subId == 0x70 && destination != kBroadcast)
        return "discovery inquiry not sent to all";

    if (destination != deviceMuid && !(mayBroadcast && destination == kBroadcast))
        return "destination MUID is not the device's";

    if (size != expected)
        return "sub-ID " + juce::String::toHexString (subId) + " is " + juce::String (size) + " bytes, not "
               + juce::String (expected);

    if (subId == 0x13 || subId == 0x14)
        for (int i = 0; i < 48; ++i)
            if (m[15 + i] != i)
                return "test byte " + juce::String (i) + " is wrong";

    if ((subId == 0x10 || subId == 0x11) && m[15] == 0)
        return "no protocol offered";

    return {};
}

CiBytes makeCiMessage (u8 subId, const CiMuid& source, const CiMuid& destination, const CiBytes& body)
{
    CiBytes m { 0xF0, 0x7E, 0x7F, 0x0D, subId, 0x01 };
    m.insert (m.end(), source.begin(), source.end());
    m.insert (m.end(), destination.begin(), destination.end());
    m.insert (m.end(), body.begin(), body.end());
    m.push_back (0xF7);
    return m;
}

//==============================================================================
SimulatedMidiCiDevice::SimulatedMidiCiDevice (Sender sender) : sendToProgram (std::move (sender))
{
}

bool SimulatedMidiCiDevice::receiveFromProgram (const u8* m, int size)
{
    if (size < 4 || m[0] != 0xF0 || m[1] != 0x7E || m[3] != 0x0D)
        return false;

    received.emplace_back (m, m + size);

    const auto error = checkMidiCi11Layout (m, size, programMuid, muid);

    if (error.isNotEmpty())
    {
        layoutErrors.add (error);

        if (failOnLayoutErrors)
            ADD_FAILURE() << "program sent a malformed MIDI-CI message: " << error << " ("
                          << juce::String::toHexString (m, size) << ")";

        // Refuse it, when there is a sender to refuse it to.
        if (size >= kHeaderSize + 1 && m[4] != 0x7F)
            send (0x7F, muidAt (m, 6));

        return true;
    }

    const auto from = muidAt (m, 6);

    switch (m[4])
    {
        case 0x70:
        {
            CiBytes identity (manufacturer.begin(), manufacturer.end());
            identity.insert (identity.end(), { 0x01, 0x00, 0x02, 0x00 }); // family, model
            identity.insert (identity.end(), softwareRevision.begin(), softwareRevision.end());
            identity.insert (identity.end(), { 0x0E, 0x00, 0x02, 0x00, 0x00 }); // capability, size
            send (0x71, from, identity);
            break;
        }

        case 0x10: // answer with the first protocol offered
            send (0x11, from, { 0x30, 0x01, m[16], m[17], m[18], m[19], m[20] });
            break;

        case 0x12:
            selectedProtocol = std::array<u8, 5> { m[15], m[16], m[17], m[18], m[19] };
            break;

        case 0x13:
        {
            CiBytes body (m + 14, m + size - 1);
            send (0x14, from, body);
            break;
        }

        case 0x14: // our test came back right: confirm
            protocolEstablished = true;
            send (0x15, from, { 0x30 });
            break;

        case 0x15:
            protocolEstablished = true;
            break;

        case 0x20:
        {
            CiBytes body;

            for (const auto* list : { &enabledProfiles, &disabledProfiles })
            {
                body.push_back ((u8) (list->size() & 0x7F));
                body.push_back ((u8) ((list->size() >> 7) & 0x7F));

                for (const auto& id : *list)
                    body.insert (body.end(), id.begin(), id.end());
            }

            send (0x21, from, body);
            break;
        }

        case 0x22:
        case 0x23:
        {
            const CiProfileId id { m[14], m[15], m[16], m[17], m[18] };
            const bool known =
                std::find (enabledProfiles.begin(), enabledProfiles.end(), id) != enabledProfiles.end()
                || std::find (disabledProfiles.begin(), disabledProfiles.end(), id) != disabledProfiles.end();

            if (known)
            {
                setProfileState (id, m[4] == 0x22);
                send (m[4] == 0x22 ? 0x24 : 0x25, kBroadcast, CiBytes (id.begin(), id.end()));
            }
            break;
        }

        default: // replies and reports: kept in `received`
            break;
    }

    return true;
}

void SimulatedMidiCiDevice::sendDiscoveryInquiry()
{
    CiBytes identity (manufacturer.begin(), manufacturer.end());
    identity.insert (identity.end(), { 0x01, 0x00, 0x02, 0x00 });
    identity.insert (identity.end(), softwareRevision.begin(), softwareRevision.end());
    identity.insert (identity.end(), { 0x0E, 0x00, 0x02, 0x00, 0x00 });
    send (0x70, kBroadcast, identity);
}

void SimulatedMidiCiDevice::sendProtocolNegotiation (int protocolCount)
{
    CiBytes body { 0x30, (u8) protocolCount };

    for (int i = 0; i < protocolCount; ++i)
        body.insert (body.end(), { (u8) (i + 1), 0x00, 0x00, 0x00, 0x00 });

    send (0x10, programMuid, body);
}

void SimulatedMidiCiDevice::sendTestNewProtocol (bool corrupt)
{
    CiBytes body { 0x30 };

    for (int i = 0; i < 48; ++i)
        body.push_back ((u8) i);

    if (corrupt)
        body[1 + 25] = 0x55;

    send (0x13, programMuid, body);
}

void SimulatedMidiCiDevice::sendProtocolEstablished()
{
    send (0x15, programMuid, { 0x30 });
}

void SimulatedMidiCiDevice::sendProfileInquiry()
{
    send (0x20, programMuid);
}

void SimulatedMidiCiDevice::sendSetProfile (bool on, const CiProfileId& id)
{
    send (on ? 0x22 : 0x23, programMuid, CiBytes (id.begin(), id.end()));
}

void SimulatedMidiCiDevice::sendRaw (const CiBytes& message)
{
    answer (message);
}

int SimulatedMidiCiDevice::countReceived (u8 subId) const
{
    return (int) std::count_if (received.begin(), received.end(),
                                [subId] (const CiBytes& m) { return m.size() > 4 && m[4] == subId; });
}

const CiBytes* SimulatedMidiCiDevice::lastReceived (u8 subId) const
{
    for (auto it = received.rbegin(); it != received.rend(); ++it)
        if (it->size() > 4 && (*it)[4] == subId)
            return &*it;

    return nullptr;
}

void SimulatedMidiCiDevice::send (u8 subId, const CiMuid& destination, const CiBytes& body)
{
    answer (makeCiMessage (subId, muid, destination, body));
}

void SimulatedMidiCiDevice::answer (const CiBytes& message)
{
    if (sendToProgram)
        sendToProgram (message);
}

void SimulatedMidiCiDevice::setProfileState (const CiProfileId& id, bool on)
{
    auto& from = on ? disabledProfiles : enabledProfiles;
    auto& to = on ? enabledProfiles : disabledProfiles;
    const auto it = std::find (from.begin(), from.end(), id);

    if (it != from.end())
    {
        from.erase (it);
        to.push_back (id);
    }
}
