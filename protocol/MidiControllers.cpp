#include "MidiControllers.h"

#include "InstrumentHost.h"

#include <algorithm>
#include <cmath>

int mcr_test = 0;

namespace
{
u32 scaled (double value, double scale)
{
    return (u32) (std::int64_t) (value * scale);
}

void setReport (ControllerReport& report, float value)
{
    report.received = 1;
    report.value = value;
}
} // namespace

//==============================================================================
_ump_message_struct rpn_message (std::uint16_t number, u32 value)
{
    _ump_message_struct message;
    message.word[0] = UMP_RPN_BASE + number;
    message.word[1] = value;
    return message;
}

_ump_message_struct nrpn_message (std::uint16_t number, u32 value)
{
    _ump_message_struct message;
    message.word[0] = UMP_NRPN_BASE + number;
    message.word[1] = value;
    return message;
}

u32 velocity_min_value (float minimum)
{
    return scaled (juce::jlimit (1.0f, 16.0f, minimum), 33554432.0);
}

u32 soft_level_value (float level)
{
    return scaled (juce::jlimit (0.05f, 0.5f, level), 268435456.0);
}

u32 hard_level_value (float level)
{
    // 16 x 2^28 does not fit in 32 bits
    const auto limited = juce::jlimit (1.0f, 16.0f, level);
    return scaled (limited < 16.0f ? limited : 15.9f, 268435456.0);
}

u32 key_position_value (float percent)
{
    const auto fraction = juce::jlimit (10.0f, 75.0f, percent) / 100.0f;
    return (u32) (fraction * 4294901760.0f);
}

u32 step_number_value (float step)
{
    return scaled (juce::jlimit (0.0f, 32.0f, step), 33554432.0);
}

u32 sharp_adjust_value (int adjust)
{
    return (u32) juce::jlimit (0, 127, juce::jlimit (-46, 16, adjust) + 47) << 25;
}

u32 pressure_resolution_value (int resolution)
{
    return (u32) juce::jlimit (2, 12, resolution) << 25;
}

u32 sharp_offset_value (int offset)
{
    return (u32) (juce::jlimit (-15, 15, offset) + 64) << 25;
}

//==============================================================================
_ump_message_struct controller_report_request_packet (std::uint16_t controller)
{
    _ump_message_struct message;
    message.word[0] = UMP_CONTROLLER_REPORT_REQUEST;
    message.word[1] = controller == NRPN_SUSTAIN_MODE ? 0x00100000u : 0u;
    message.word[2] = UMP_NRPN_BASE + controller;
    message.word[3] = 0;
    return message;
}

void controller_report_request (std::uint16_t controller)
{
    tunnel_ump_out (controller_report_request_packet (controller));
}

void post_controller_report (const _ump_message_struct& message)
{
    if (pops == nullptr)
        return;

    auto& host = *pops;
    const auto word0 = message.word[0];
    const auto value = message.word[1];
    const auto n = (std::uint16_t) (word0 & 0xFFFF);
    const auto d = (float) (value >> 16);

    if ((word0 & 0xFFFF0000) == UMP_NRPN_BASE)
    {
        switch (n)
        {
            case NRPN_SHARP_ADJUST:
                host.sharpAdjustReport.received = 1;
                break;

            case NRPN_SUSTAIN_MODE:
            {
                const auto mode = value < 0x04010000 ? value >> 24 : value >> 28;

                if (mode != 1 && mode != 2)
                    return;

                host.selectSustainMode ((int) mode);
                break;
            }

            case NRPN_PRESSURE_RESOLUTION:
                host.pressureResolution = mcr_test = (int) (value >> 25);
                break;

            case NRPN_SHARP_OFFSET:
                if ((value >> 24) == 0)
                {
                    host.blackKeyOffset = 0;
                    return;
                }

                host.blackKeyOffset = mcr_test = (int) (value >> 25) - 64;
                break;

            default:
                break;
        }
    }
    else if ((word0 & 0xFFFF0000) == UMP_RPN_BASE)
    {
        switch (n)
        {
            case RPN_KEY_PARAM_4140:
                host.controller4140Report.received = 1;
                return;

            case RPN_VELOCITY_MIN:
                setReport (host.velocityMinReport, d / 512.0f);
                break;

            case RPN_SOFT_LEVEL:
                setReport (host.softLevelReport, d / 4096.0f);
                break;

            case RPN_HARD_LEVEL:
                setReport (host.hardLevelReport, d / 4096.0f);
                break;

            case RPN_NOTE_ON_POSITION:
                setReport (host.noteOnPositionReport, d / 655.3f);
                break;

            case RPN_NOTE_OFF_POSITION:
                setReport (host.noteOffPositionReport, d / 655.3f);
                break;

            case RPN_STEP_NUMBER:
                setReport (host.stepNumberReport, d / 655.3f);
                break;

            default:
                return;
        }
    }

    if (host.monitorFilter.controllers)
        host.logMessage (
            juce::String::formatted ("Controller #%4x: %04x", (unsigned) n, (unsigned) (value >> 16)));
}

void post_carried_controller_report (const _ump_message_struct& packet)
{
    _ump_message_struct controller;
    controller.word[0] = packet.word[2];
    controller.word[1] = packet.word[3];
    post_controller_report (controller);
}

void handle_key_position_report (const _ump_message_struct& message)
{
    if (pops == nullptr)
        return;

    auto& host = *pops;
    const auto note = (int) ((message.word[0] >> 8) & 0x7F);
    const auto value = message.word[1] & 0x007F7F7F;

    if (host.singleNoteMode != 1)
    {
        if (note >= kLowestKeyNote && note <= kHighestKeyNote)
            host.restFound[(size_t) (note - kLowestKeyNote)] = 1;
    }
    else if (host.singleNoteArmed == 1)
    {
        host.singleNoteNumber = (u8) note;
        host.singleNoteValue = value;
        host.singleNoteFound = 1;
    }
    else
    {
        return;
    }

    host.feedIncomingMessage (juce::MidiMessage::programChange (1, note));
}
