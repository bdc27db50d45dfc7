#include "IncomingMessageRing.h"

IncomingMessageRing::IncomingMessageRing (size_t capacityToUse) : buffer (capacityToUse)
{
}

void IncomingMessageRing::push (juce::MidiMessage message)
{
    std::lock_guard<std::mutex> guard (lock);

    // Dropping the oldest first and then constructing into the free slot, rather than letting
    // the buffer assign over it: juce::MidiMessage's move assignment would leak the heap data
    // of a long system-exclusive message it replaces.
    if (buffer.full())
        buffer.pop_front();

    buffer.push_back (std::move (message));
}

std::optional<juce::MidiMessage> IncomingMessageRing::pop()
{
    std::lock_guard<std::mutex> guard (lock);

    if (buffer.empty())
        return std::nullopt;

    std::optional<juce::MidiMessage> oldest (std::move (buffer.front()));
    buffer.pop_front();
    return oldest;
}

bool IncomingMessageRing::empty() const
{
    std::lock_guard<std::mutex> guard (lock);
    return buffer.empty();
}

size_t IncomingMessageRing::size() const
{
    std::lock_guard<std::mutex> guard (lock);
    return buffer.size();
}

size_t IncomingMessageRing::capacity() const
{
    return buffer.capacity();
}

void IncomingMessageRing::clear()
{
    std::lock_guard<std::mutex> guard (lock);
    buffer.clear();
}
