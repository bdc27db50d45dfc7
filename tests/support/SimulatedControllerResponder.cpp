#include "SimulatedControllerResponder.h"

#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"

SimulatedControllerResponder::SimulatedControllerResponder (SendToHost sendToHost)
    : send (std::move (sendToHost))
{
    // What a freshly started instrument reports
    values[UMP_NRPN_BASE + NRPN_SHARP_OFFSET] = sharp_offset_value (0);
    values[UMP_NRPN_BASE + NRPN_PRESSURE_RESOLUTION] = pressure_resolution_value (7);
    values[UMP_NRPN_BASE + NRPN_SUSTAIN_MODE] = (u32) PEDAL_MODE_SMOOTH << 24;
}

void SimulatedControllerResponder::setControllerValue (u32 controllerWord, u32 value)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    values[controllerWord] = value;
}

bool SimulatedControllerResponder::hasControllerValue (u32 controllerWord) const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return values.count (controllerWord) != 0;
}

u32 SimulatedControllerResponder::getControllerValue (u32 controllerWord) const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    const auto found = values.find (controllerWord);
    return found != values.end() ? found->second : 0;
}

int SimulatedControllerResponder::getNumReportRequests() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return reportRequests;
}

std::vector<u32> SimulatedControllerResponder::getRequestedControllers() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return requested;
}

std::vector<juce::String> SimulatedControllerResponder::getErrors() const
{
    const std::lock_guard<std::recursive_mutex> guard (lock);
    return errors;
}

bool SimulatedControllerResponder::handleMessage (const juce::MidiMessage& message)
{
    const std::lock_guard<std::recursive_mutex> guard (lock);

    if (!message.isSysEx())
        return false;

    const auto* data = message.getSysExData();
    const auto size = message.getSysExDataSize();

    if (size < 2 || data[0] != M9_MANUFACTURER_ID || (data[1] & 0xF0) != M9_FRAME_TUNNEL)
        return false;

    _ump_message_struct packet;

    if (!sysex_to_ump (data, size + 1, packet))
    {
        errors.push_back ("truncated tunnel frame");
        return true;
    }

    const auto type = ump_message_type (packet);

    if ((data[1] & 0x0F) != type)
        errors.push_back ("tunnel frame kind " + juce::String::toHexString ((int) data[1]) + " for type "
                          + juce::String (type));

    if (size != 2 + 5 * ump_word_count (packet))
        errors.push_back ("tunnel frame of " + juce::String (size + 2) + " bytes");

    if (type == 0x4)
        values[packet.word[0]] = packet.word[1];
    else if (type == 0xD)
        handleReportRequest (packet, size + 2);
    else
        errors.push_back ("tunnelled packet of type " + juce::String (type));

    return true;
}

void SimulatedControllerResponder::handleReportRequest (const _ump_message_struct& packet, int frameSize)
{
    ++reportRequests;

    const auto controller = packet.word[2];
    requested.push_back (controller);

    if (frameSize != 24)
        errors.push_back ("report request of " + juce::String (frameSize) + " bytes");
    if (packet.word[0] != UMP_CONTROLLER_REPORT_REQUEST)
        errors.push_back ("report request word 0 "
                          + juce::String::toHexString ((juce::int64) packet.word[0]));
    if ((controller & 0xFFFFFF00) != UMP_NRPN_BASE + 0xF900)
        errors.push_back ("report request for " + juce::String::toHexString ((juce::int64) controller));
    if (packet.word[3] != 0)
        errors.push_back ("report request word 3 not 0");

    const auto expectedWord1 = controller == UMP_NRPN_BASE + NRPN_SUSTAIN_MODE ? 0x00100000u : 0u;

    if (packet.word[1] != expectedWord1)
        errors.push_back ("report request word 1 "
                          + juce::String::toHexString ((juce::int64) packet.word[1]));

    _ump_message_struct report;
    report.word[0] = UMP_CONTROLLER_REPORT_REQUEST;
    report.word[1] = 0;
    report.word[2] = controller;
    report.word[3] = getControllerValue (controller);
    send (ump_sysex_message (report));
}

void SimulatedControllerResponder::sendKeyPositionReport (int note, u32 value)
{
    // Polyphonic pressure of MIDI 2.0, group 0, channel 0
    _ump_message_struct report;
    report.word[0] = 0x40A00000u | (u32) (note & 0x7F) << 8;
    report.word[1] = value;
    send (ump_sysex_message (report));
}
