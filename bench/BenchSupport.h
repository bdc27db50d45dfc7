#pragma once

#include "app/IncomingMessageRing.h"
#include "app/MainContentComponent.h"
#include "support/VirtualMidiDeviceLayer.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

namespace juce
{
// JUCE's own; the loop of runDispatchLoop is made of it.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace bench
{
inline double nowMs()
{
    return juce::Time::getMillisecondCounterHiRes();
}

/** Dispatches messages for at least this long, blocking between them as the program's own loop
    does (runDispatchLoopUntil sleeps a millisecond whenever the queue is empty, which would
    delay every wake-up it measures and add a thousand of its own per second). A short pump
    returns on the first message after its time, so a timer has to be running. */
inline void pump (int milliseconds)
{
    const auto end = nowMs() + milliseconds;
    std::thread waker;

    if (milliseconds >= 10)
        waker = std::thread (
            [end]
            {
                std::this_thread::sleep_for (
                    std::chrono::microseconds ((juce::int64) (1000.0 * (end - nowMs()))));
                juce::MessageManager::callAsync ([] {});
            });

    do
        juce::dispatchNextMessageOnSystemQueue (false);
    while (nowMs() < end);

    if (waker.joinable())
        waker.join();
}

/** Waits until the program has opened the instrument's input, then lets the board-size reply and
    the MIDI-CI exchange pass, so that what is measured next runs alone. */
inline void awaitInstrument (VirtualMidiDeviceLayer& devices, const juce::String& inputIdentifier)
{
    const auto deadline = nowMs() + 5000.0;
    while (devices.getNumCallbacks (inputIdentifier) == 0 && nowMs() < deadline)
        pump (5);
    pump (300);
}

/** CPU seconds (user and system) this process has used so far. */
inline double cpuSeconds()
{
    rusage usage {};
    getrusage (RUSAGE_SELF, &usage);
    return (double) usage.ru_utime.tv_sec + (double) usage.ru_utime.tv_usec * 1.0e-6
           + (double) usage.ru_stime.tv_sec + (double) usage.ru_stime.tv_usec * 1.0e-6;
}

/** The central component, counting the callbacks of its main timer (its wake-ups) and, once
    countSends() has wrapped its output, the most messages sent within one of them. */
class TickCountingContent : public MainContentComponent
{
public:
    using MainContentComponent::MainContentComponent;

    void timerCallback (int timerID) override
    {
        if (timerID != 1)
        {
            MainContentComponent::timerCallback (timerID);
            return;
        }

        ++wakeUps;
        const auto sentBefore = sent;
        MainContentComponent::timerCallback (timerID);
        mostSentInOneWakeUp = std::max (mostSentInOneWakeUp, sent - sentBefore);
    }

    void countSends()
    {
        struct CountingPort : MidiOutputPort
        {
            CountingPort (std::unique_ptr<MidiOutputPort> p, long& n) : port (std::move (p)), count (n) { }
            void sendMessageNow (const juce::MidiMessage& m) override
            {
                ++count;
                port->sendMessageNow (m);
            }
            juce::String getIdentifier() const override { return port->getIdentifier(); }

            std::unique_ptr<MidiOutputPort> port;
            long& count;
        };

        if (midiOutput != nullptr)
            midiOutput = std::make_unique<CountingPort> (std::move (midiOutput), sent);
    }

    std::atomic<long> wakeUps { 0 };
    long sent = 0, mostSentInOneWakeUp = 0; // message thread only
};

/** A component in a window of its own, as the program shows it. */
template <typename Content>
struct Program
{
    explicit Program (VirtualMidiDeviceLayer& devices)
        : content (devices), window ("VN5 MIDI Control System", juce::Colours::black, 0)
    {
        window.setUsingNativeTitleBar (false);
        window.setContentNonOwned (&content, true);
        window.setVisible (true);
    }

    Content content;
    juce::DocumentWindow window;
};

//==============================================================================
/** The reference every figure is printed beside: a stock 1 ms juce::MultiTimer that takes one
    message out of a ring per callback and shows its line through a posted call, as the main
    tick did when it ran once per callback. */
class StockTimer : public juce::MultiTimer
{
public:
    StockTimer() { startTimer (1, 1); }
    ~StockTimer() override { stopTimer (1); }

    void timerCallback (int) override
    {
        ++callbacks;

        if (ring.pop())
            juce::MessageManager::callAsync ([this] { lineTimes.push_back (nowMs()); });
    }

    IncomingMessageRing ring;
    std::atomic<long> callbacks { 0 };
    std::vector<double> lineTimes; // message thread only
};

//==============================================================================
/** Median and 99th percentile of arrival-to-line times, in ms. */
struct Latency
{
    double median = 0.0, p99 = 0.0;
    size_t count = 0;
};

inline Latency latencyOf (const std::vector<double>& arrivals, const std::vector<double>& lines)
{
    std::vector<double> delays;
    for (size_t i = 0; i < std::min (arrivals.size(), lines.size()); ++i)
        delays.push_back (lines[i] - arrivals[i]);

    if (delays.empty())
        return {};

    std::sort (delays.begin(), delays.end());
    const auto p99Index = (size_t) std::max (0.0, std::ceil (0.99 * (double) delays.size()) - 1.0);
    return { delays[delays.size() / 2], delays[p99Index], delays.size() };
}

/** Feeds `count` note-ons to `deliver` from a thread of its own, as the MIDI thread does, the
    i-th at start + spacing(i); pumps the message loop until `linesShown()` reaches the count.
    Returns the arrival times in order. */
inline std::vector<double> feedAndWait (int count, const std::function<double (int)>& offsetMs,
                                        const std::function<void (const juce::MidiMessage&)>& deliver,
                                        const std::function<size_t()>& linesShown)
{
    std::vector<double> arrivals ((size_t) count);
    const auto start = nowMs() + 20.0;

    std::thread midiThread (
        [&]
        {
            for (int i = 0; i < count; ++i)
            {
                const auto due = start + offsetMs (i);
                while (nowMs() < due)
                    std::this_thread::sleep_for (std::chrono::microseconds (
                        juce::jlimit (50, 2000, (int) (1000.0 * (due - nowMs())) - 200)));

                arrivals[(size_t) i] = nowMs();
                deliver (juce::MidiMessage::noteOn (1, 28 + i % 73, (juce::uint8) (1 + i % 127)));
            }
        });

    const auto deadline = start + offsetMs (count - 1) + 5000.0;
    while (nowMs() < deadline && linesShown() < (size_t) count)
        pump (1);

    midiThread.join();
    pump (50);
    return arrivals;
}
} // namespace bench
