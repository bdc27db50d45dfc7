#pragma once

#include "protocol/UmpTransport.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <functional>
#include <mutex>
#include <vector>

//==============================================================================
/**
    The instrument's side of the firmware stream. It answers the two open packets, takes
    the data packets, checks each one (status, count, stream id, order) and puts the image
    back together, and confirms the end packet. A test can make it pause, resume, set the
    offset, abort, or stay silent. Every broken rule is kept as an error text. Safe to
    drive from the instrument's thread and to ask from the test's.
*/
class SimulatedFirmwareReceiver
{
public:
    using SendToHost = std::function<void (const juce::MidiMessage&)>;

    explicit SimulatedFirmwareReceiver (SendToHost sendToHost);

    /** Takes one message from the program; returns true when it belonged to the firmware stream. */
    bool handleMessage (const juce::MidiMessage& message);

    //==============================================================================
    /** While silent nothing is answered, so the program's open time-out runs out. */
    void setSilent (bool shouldBeSilent);

    /** Leaves the end packet unconfirmed. */
    void setConfirmsEnd (bool shouldConfirm);

    void pause();
    void resume();

    /** Asks for the stream to go on from this offset. Sent while paused, so no packet is in flight. */
    void setOffset (u32 offset);

    void abort();

    /** Sends a status packet of its own making; for the cases the receiver never sends itself. */
    void sendStatus (u8 command, u32 argument = 0, int streamId = -1, u8 source = 0xFF);

    //==============================================================================
    bool hasSeenDeepChill() const;
    int getTargetId() const;
    u32 getAnnouncedSize() const;
    bool isComplete() const;
    int getNumDataPackets() const;
    u32 getExpectedOffset() const;

    /** The image as far as it arrived: announcedSize bytes. */
    std::vector<u8> getImage() const;

    /** Data packets that arrived after pause or abort (at most one may be in flight). */
    int getPacketsWhileStopped() const;

    std::vector<juce::String> getErrors() const;

private:
    void handlePacket (const _ump_message_struct& packet);
    void handleOpen (const _ump_message_struct& packet, u8 command);
    void handleData (const _ump_message_struct& packet, int status, int count);
    void fail (const juce::String& text);

    mutable std::recursive_mutex lock;
    SendToHost send;
    bool silent = false, confirmsEnd = true;
    bool deepChillSeen = false, sendOpened = false, replyOpened = false;
    bool paused = false, aborted = false, complete = false;
    int target = -1;
    u32 announcedSize = 0, expectedOffset = 0;
    int dataPackets = 0, packetsWhileStopped = 0;
    std::vector<u8> image;
    std::vector<juce::String> errors;
};
