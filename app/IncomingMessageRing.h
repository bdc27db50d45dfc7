#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <boost/circular_buffer.hpp>

#include <mutex>
#include <optional>

//==============================================================================
/**
    The hand-over of received messages from the MIDI thread (one writer) to the main
    tick (one reader). Fixed capacity; when full, a new message overwrites the oldest.
    Each side holds the lock only to move one message in or out, so the MIDI thread is
    never kept waiting for more than that, and a message always crosses whole.
*/
class IncomingMessageRing
{
public:
    explicit IncomingMessageRing (size_t capacityToUse = 1024);

    /** Writer side. Never waits for more than the reader's single move. */
    void push (juce::MidiMessage message);

    /** Reader side: takes the oldest message out, or nothing when empty. */
    std::optional<juce::MidiMessage> pop();

    bool empty() const;
    size_t size() const;
    size_t capacity() const;
    void clear();

private:
    mutable std::mutex lock;
    boost::circular_buffer<juce::MidiMessage> buffer;

    JUCE_DECLARE_NON_COPYABLE (IncomingMessageRing)
};
