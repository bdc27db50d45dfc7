#include "SimulatedFirmwareReceiver.h"

#include "protocol/FirmwareStream.h"
#include "protocol/Midi9Frame.h"

SimulatedFirmwareReceiver::SimulatedFirmwareReceiver (SendToHost sendToHost) : send (std::move (sendToHost))
{
}

bool SimulatedFirmwareReceiver::handleMessage (const juce::MidiMessage& message)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);

    if (!message.isSysEx())
        return false;

    const auto* data = message.getSysExData();
    const auto size = message.getSysExDataSize();

    if (size == 3 && data[0] == M9_MANUFACTURER_ID && data[1] == M9_FRAME_COMMAND && data[2] == M9_DEEP_CHILL)
    {
        // The board gets ready for a new image; test settings and errors stay
        sendOpened = replyOpened = paused = aborted = complete = false;
        target = -1;
        announcedSize = expectedOffset = 0;
        dataPackets = packetsWhileStopped = 0;
        image.clear();
        deepChillSeen = true;
        return true;
    }

    if (size < 2 || data[0] != M9_MANUFACTURER_ID || data[1] != M9_FRAME_UMP)
        return false;

    _ump_message_struct packet;

    // size leaves out F7; the parser's length counts it
    if (!sysex_to_ump (data, size + 1, packet) || ump_message_type (packet) != 5)
        return false;

    if (size != 2 + 5 * 4)
        fail ("SysEx8 frame of " + juce::String (size + 2) + " bytes");

    handlePacket (packet);
    return true;
}

void SimulatedFirmwareReceiver::handlePacket (const _ump_message_struct& packet)
{
    const auto word0 = packet.word[0];
    const auto group = (int) (word0 >> 24) & 0xF;
    const auto status = (int) (word0 >> 20) & 0xF;
    const auto count = (int) (word0 >> 16) & 0xF;

    if (group != 0)
        fail ("group " + juce::String (group));

    if (status == SX8_STATUS_COMPLETE)
    {
        const auto command = (u8) (packet.word[1] >> 16);

        if ((word0 & 0xFF) != 0 || (packet.word[1] >> 24) != 0x09)
            fail ("status packet without manufacturer 00 09");
        else if (command == SX8_OTA_OPEN_SEND_STREAM || command == SX8_OTA_OPEN_REPLY_STREAM)
            handleOpen (packet, command);
        else
            fail ("unexpected command " + juce::String::toHexString ((int) command));

        return;
    }

    if (status == SX8_STATUS_CONTINUE || status == SX8_STATUS_END)
    {
        handleData (packet, status, count);
        return;
    }

    fail ("packet status " + juce::String (status));
}

void SimulatedFirmwareReceiver::handleOpen (const _ump_message_struct& packet, u8 command)
{
    const auto stream = (int) (packet.word[0] >> 8) & 0xFF;
    const auto count = (int) (packet.word[0] >> 16) & 0xF;
    const auto destination = (int) (packet.word[1] >> 8) & 0xFF;
    const auto source = (int) packet.word[1] & 0xFF;

    if (count != 13)
        fail ("open packet count " + juce::String (count));
    if (destination != stream)
        fail ("open packet for " + juce::String (destination) + " on stream " + juce::String (stream));
    if (source != OTA_HOST_ID)
        fail ("open packet from " + juce::String (source));
    if (packet.word[2] != 0x02000000)
        fail ("open packet argument " + juce::String::toHexString ((juce::int64) packet.word[2]));
    if (target >= 0 && target != stream)
        fail ("second open packet on another stream");
    if (announcedSize != 0 && announcedSize != packet.word[3])
        fail ("the open packets announce different sizes");

    target = stream;
    announcedSize = packet.word[3];
    image.resize (announcedSize, 0);

    if (command == SX8_OTA_OPEN_SEND_STREAM)
        sendOpened = true;
    else
        replyOpened = true;

    if (!silent)
        sendStatus (command == SX8_OTA_OPEN_SEND_STREAM ? SX8_OTA_SEND_STREAM_OPENED
                                                        : SX8_OTA_REPLY_STREAM_OPENED);
}

void SimulatedFirmwareReceiver::handleData (const _ump_message_struct& packet, int status, int count)
{
    const auto stream = (int) (packet.word[0] >> 8) & 0xFF;
    ++dataPackets;

    if (!sendOpened || !replyOpened)
        fail ("data before both streams were opened");
    if (stream != target)
        fail ("data on stream " + juce::String (stream) + ", opened " + juce::String (target));
    if ((packet.word[0] & 0xFF) != SX8_OTA_WRITE)
        fail ("data packet without the write command");
    if (complete)
        fail ("data after the end packet");

    if (paused || aborted)
        ++packetsWhileStopped;

    const auto remaining = announcedSize > expectedOffset ? announcedSize - expectedOffset : 0u;
    const bool last = expectedOffset + 12 >= announcedSize;

    if (status == SX8_STATUS_CONTINUE && (last || count != 13))
        fail ("continue packet at " + juce::String (expectedOffset) + " with count " + juce::String (count));
    if (status == SX8_STATUS_END && (!last || count != (int) remaining + 1))
        fail ("end packet at " + juce::String (expectedOffset) + " with count " + juce::String (count));

    // Data bytes 2-13 travel most significant byte of each word first; the image bytes of a
    // word go least significant first
    for (u32 i = 0; i < 12 && expectedOffset + i < announcedSize; ++i)
        image[expectedOffset + i] = (u8) (packet.word[1 + i / 4] >> (8 * (i % 4)));

    expectedOffset += 12;

    if (status == SX8_STATUS_END)
    {
        complete = true;

        if (confirmsEnd && !silent)
            sendStatus (SX8_OTA_REPLY_WRITE_DONE);
    }
}

//==============================================================================
void SimulatedFirmwareReceiver::pause()
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    paused = true;
    sendStatus (SX8_OTA_SEND_STREAM_PAUSED);
}

void SimulatedFirmwareReceiver::resume()
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    paused = false;
    sendStatus (SX8_OTA_SEND_STREAM_RESUMED);
}

void SimulatedFirmwareReceiver::setOffset (u32 offset)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    expectedOffset = offset;
    sendStatus (SX8_OTA_SET_OFFSET, offset);
}

void SimulatedFirmwareReceiver::abort()
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    aborted = true;
    sendStatus (SX8_OTA_REPLY_WRITE_ABORT);
}

void SimulatedFirmwareReceiver::sendStatus (u8 command, u32 argument, int streamId, u8 source)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    const auto stream = (u32) (streamId >= 0 ? streamId : juce::jmax (target, 0));
    const auto from = source != 0xFF ? source : (u8) stream;

    _ump_message_struct packet;
    packet.word[0] = 0x500D0000u | stream << 8;
    packet.word[1] = 0x09000000u | (u32) command << 16 | (u32) OTA_HOST_ID << 8 | from;
    packet.word[2] = argument;
    packet.word[3] = 0;
    send (ump_sysex_message (packet));
}

void SimulatedFirmwareReceiver::setSilent (bool shouldBeSilent)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    silent = shouldBeSilent;
}

void SimulatedFirmwareReceiver::setConfirmsEnd (bool shouldConfirm)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    confirmsEnd = shouldConfirm;
}

#define VN5_LOCKED_GETTER(type, name, member)                                                                \
    type SimulatedFirmwareReceiver::name() const                                                             \
    {                                                                                                        \
        const std::lock_guard<std::recursive_mutex> guard (lock);                                            \
        return member;                                                                                       \
    }

VN5_LOCKED_GETTER (bool, hasSeenDeepChill, deepChillSeen)
VN5_LOCKED_GETTER (int, getTargetId, target)
VN5_LOCKED_GETTER (u32, getAnnouncedSize, announcedSize)
VN5_LOCKED_GETTER (bool, isComplete, complete)
VN5_LOCKED_GETTER (int, getNumDataPackets, dataPackets)
VN5_LOCKED_GETTER (u32, getExpectedOffset, expectedOffset)
VN5_LOCKED_GETTER (std::vector<u8>, getImage, image)
VN5_LOCKED_GETTER (int, getPacketsWhileStopped, packetsWhileStopped)
VN5_LOCKED_GETTER (std::vector<juce::String>, getErrors, errors)

#undef VN5_LOCKED_GETTER

//==============================================================================
void SimulatedFirmwareReceiver::fail (const juce::String& text)
{
    errors.push_back (text);
}
