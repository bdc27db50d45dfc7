#include "MonitorLines.h"

namespace MonitorLines
{
juce::String describeMessage (const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();

    if (size <= 0)
        return {};

    const int status = bytes[0];
    const int kind = status & 0xf0;
    const auto channel = juce::String ((status & 0x0f) + 1);
    const int d1 = size > 1 ? bytes[1] : 0;
    const int d2 = size > 2 ? bytes[2] : 0;
    auto noteName = [d1] { return juce::MidiMessage::getMidiNoteName (d1, true, true, 3); };

    // Channel messages shorter than their kind are shown as plain bytes below.
    if (size >= 3)
    {
        if (kind == 0x90 && d2 > 0)
            return "Note on    Ch.  " + channel + "    " + noteName() + "    " + juce::String (d2);

        if (kind == 0x80 || kind == 0x90)
            return "Note off    Ch.  " + channel + "    " + noteName() + "    " + juce::String (d2);

        if (kind == 0xa0)
            return "Poly Pressure    Ch.  " + channel + "    " + noteName() + ": " + juce::String (d2);

        if (kind == 0xb0)
        {
            const auto value = juce::String (d2);

            switch (d1)
            {
                case 123:
                    return "All notes off";
                case 7:
                    return "Main volume    Ch.  " + channel + "   " + value;
                case 11:
                    return "Expression    Ch.  " + channel + "   " + value;
                case 64:
                    return "Sustain    Ch.  " + channel + "   " + value;
                case 67:
                    return "Soft Pedal    Ch.  " + channel + "   " + value;
                case 120:
                    return "All sound off";
                default:
                    break;
            }

            const auto* name = juce::MidiMessage::getControllerName (d1);
            const auto controllerName = name != nullptr ? juce::String (name) : juce::String (d1);
            return "Controller  " + controllerName + " Ch.  " + channel + "   " + value;
        }

        if (kind == 0xe0)
            return "Pitch wheel    Ch.  " + channel + "    " + juce::String (d1 + 128 * d2);
    }

    if (size >= 2)
    {
        if (kind == 0xc0)
            return "Program change    Ch.  " + channel + "    " + juce::String (d1);

        if (kind == 0xd0)
            return "Channel pressure    Ch.  " + channel + "    " + juce::String (d1);
    }

    if (status == 0xff)
        return "Meta event";

    if (status == 0xf0)
    {
        // Everything after F0 up to the closing F7, however long the message is.
        const int shown = bytes[size - 1] == 0xf7 ? size - 2 : size - 1;
        return "Sysex " + juce::String::toHexString (bytes + 1, juce::jmax (0, shown));
    }

    return juce::String::toHexString (bytes, size);
}

juce::String formatTimeCode (double seconds)
{
    const auto t = juce::jmax (0.0, seconds);

    return juce::String::formatted ("%02d:%02d:%02d.%03d", (int) ((juce::int64) (t / 3600.0) % 24),
                                    (int) ((juce::int64) (t / 60.0) % 60), (int) ((juce::int64) t % 60),
                                    (int) ((juce::int64) (t * 1000.0) % 1000));
}
} // namespace MonitorLines
