#include "protocol/Midi9Frame.h"
#include "protocol/PerformanceFrames.h"

#include <gtest/gtest.h>

namespace
{
struct FrameCase
{
    const char* name;
    Midi9Bytes actual;
    Midi9Bytes expected;
};

class Midi9FrameBytes : public ::testing::TestWithParam<FrameCase>
{
};

TEST_P (Midi9FrameBytes, AreByteExact)
{
    const auto& c = GetParam();
    EXPECT_EQ (c.actual, c.expected) << c.name;
    EXPECT_TRUE (midi9_is_valid_frame (c.actual.data(), (int) c.actual.size())) << c.name;
}

INSTANTIATE_TEST_SUITE_P (
    Frames, Midi9FrameBytes,
    ::testing::Values (
        FrameCase { "channel 3",
                    midi9_set_frame (M9_MIDI_CHANNEL, 2),
                    { 0xF0, 0x09, 0x00, 0x2E, 0x01, 0x02, 0x02, 0x02, 0x02, 0xF7 } },
        FrameCase { "velocity +16",
                    midi9_set_frame (M9_VELOCITY_SENSITIVITY, 16 + 103),
                    { 0xF0, 0x09, 0x00, 0x11, 0x01, 119, 119, 119, 119, 0xF7 } },
        FrameCase { "value above 127 is sent as 127",
                    midi9_set_frame (M9_AFTER_PRESSURE_GAIN, 200),
                    { 0xF0, 0x09, 0x00, 0x15, 0x01, 127, 127, 127, 127, 0xF7 } },
        FrameCase { "split at 60",
                    midi9_set_frame (M9_KEY_SPLIT, 60),
                    { 0xF0, 0x09, 0x00, 0x2C, 0x00, 60, 60, 60, 60, 0xF7 } },
        FrameCase { "split off",
                    midi9_set_frame (M9_KEY_SPLIT, 0),
                    { 0xF0, 0x09, 0x00, 0x2C, 0x01, 0x00, 0x00, 0x00, 0x00, 0xF7 } },
        FrameCase { "channel query",
                    midi9_query_frame (M9_MIDI_CHANNEL),
                    { 0xF0, 0x09, 0x00, 0x2E, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 } },
        FrameCase { "board-size query is eleven bytes",
                    midi9_query_frame (M9_BOARD_SIZE),
                    { 0xF0, 0x09, 0x00, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7 } },
        FrameCase {
            "factory restore", midi9_short_command (M9_FACTORY_RESTORE), { 0xF0, 0x09, 0x00, 0x52, 0xF7 } },
        FrameCase { "key adjust down positions",
                    midi9_short_command (M9_KEY_ADJUST, KEY_ADJUST_DOWN_POSITIONS),
                    { 0xF0, 0x09, 0x00, 0x0A, 0x0C, 0xF7 } },
        FrameCase { "sustain smooth",
                    midi9_pedal_frame ({ { midi9_pedal_selector (PEDAL_FRONT, PEDAL_FIELD_MODE, true),
                                           PEDAL_MODE_SMOOTH } }),
                    { 0xF0, 0x09, 0x00, 0x23, 0x40, 0x02, 0xF7 } },
        FrameCase {
            "pedal query of two fields",
            midi9_pedal_frame ({ { midi9_pedal_selector (PEDAL_BACK, PEDAL_FIELD_CONTROLLER, false), 0 },
                                 { midi9_pedal_selector (PEDAL_AUX_3, PEDAL_FIELD_CHANNEL, false), 0 } }),
            { 0xF0, 0x09, 0x00, 0x23, 0x12, 0x00, 0x39, 0x00, 0xF7 } },
        FrameCase { "board 2 configuration",
                    board_config_query (2, 43),
                    { 0xF0, 0x09, 0x5A, 0x00, 0x2C, 0x41, 43, 0xF7 } },
        // The performance settings, as the panels send them
        FrameCase { "sensitivity minus 16",
                    velocity_sensitivity_frame (-16),
                    { 0xF0, 9, 0, 0x11, 1, 0x57, 0x57, 0x57, 0x57, 0xF7 } },
        FrameCase { "sensitivity plus 16",
                    velocity_sensitivity_frame (16),
                    { 0xF0, 9, 0, 0x11, 1, 0x77, 0x77, 0x77, 0x77, 0xF7 } },
        FrameCase {
            "gain 40", after_pressure_gain_frame (40), { 0xF0, 9, 0, 0x15, 1, 40, 40, 40, 40, 0xF7 } },
        FrameCase {
            "channel item 16", midi_channel_frame (16), { 0xF0, 9, 0, 0x2E, 1, 15, 15, 15, 15, 0xF7 } },
        FrameCase { "channel item 1", midi_channel_frame (1), { 0xF0, 9, 0, 0x2E, 1, 0, 0, 0, 0, 0xF7 } },
        FrameCase { "middle C at 0 / 0",
                    middle_c_reference_frame (middle_c_reference_note (1, 3)),
                    { 0xF0, 9, 0, 0x2D, 1, 60, 60, 60, 60, 0xF7 } },
        FrameCase { "middle C at +11 / +2",
                    middle_c_reference_frame (middle_c_reference_note (12, 5)),
                    { 0xF0, 9, 0, 0x2D, 1, 95, 95, 95, 95, 0xF7 } },
        FrameCase { "middle C at 0 / -2",
                    middle_c_reference_frame (middle_c_reference_note (1, 1)),
                    { 0xF0, 9, 0, 0x2D, 1, 36, 36, 36, 36, 0xF7 } },
        FrameCase {
            "split note 60", key_split_frame (60), { 0xF0, 9, 0, 0x2C, 0, 0x3C, 0x3C, 0x3C, 0x3C, 0xF7 } },
        FrameCase { "split 27 is off", key_split_frame (27), { 0xF0, 9, 0, 0x2C, 1, 0, 0, 0, 0, 0xF7 } },
        FrameCase { "split 101 is off", key_split_frame (101), { 0xF0, 9, 0, 0x2C, 1, 0, 0, 0, 0, 0xF7 } },
        FrameCase { "sustain on/off", sustain_mode_frame (1), { 0xF0, 9, 0, 0x23, 0x40, 1, 0xF7 } },
        FrameCase { "curve 12", velocity_curve_frame (12), { 0xF0, 9, 0, 0x1D, 1, 12, 12, 12, 12, 0xF7 } },
        FrameCase { "sharp offset minus 3",
                    sharp_offset_frame (-3),
                    { 0xF0, 9, 0x34, 2, 0x40, 0x30, 0x79, 0x0E, 0x00, 0x7A, 0, 0, 0, 0xF7 } },
        FrameCase { "sharp offset 0",
                    sharp_offset_frame (0),
                    { 0xF0, 9, 0x34, 2, 0x40, 0x30, 0x79, 0x0E, 0x08, 0x00, 0, 0, 0, 0xF7 } },
        FrameCase { "sharp offset plus 3",
                    sharp_offset_frame (3),
                    { 0xF0, 9, 0x34, 2, 0x40, 0x30, 0x79, 0x0E, 0x08, 0x06, 0, 0, 0, 0xF7 } },
        FrameCase { "sharp offset 15",
                    sharp_offset_frame (15),
                    { 0xF0, 9, 0x34, 2, 0x40, 0x30, 0x79, 0x0E, 0x08, 0x1E, 0, 0, 0, 0xF7 } }),
    [] (const auto& info)
    {
        auto name = juce::String (info.param.name)
                        .retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        return name.toStdString();
    });

TEST (PerformanceMessages, ControlChangesAndPacketsCarryTheSetting)
{
    const std::vector<std::pair<juce::MidiMessage, std::vector<int>>> rows {
        { channel_control_change (3, 0x66, 0x40), { 0xB2, 0x66, 0x40 } },
        { channel_control_change (16, 0x68, 0x00), { 0xBF, 0x68, 0x00 } },
        { channel_control_change (0, 0x68, 0x40), { 0xB0, 0x68, 0x40 } }, // no channel chosen
    };

    for (const auto& [message, expected] : rows)
        EXPECT_EQ (std::vector<int> (message.getRawData(), message.getRawData() + message.getRawDataSize()),
                   expected);

    const auto packet = pressure_resolution_packet (12);
    EXPECT_EQ (packet.word[0], 0x4030F90Du);
    EXPECT_EQ (packet.word[1], 0x18000000u);
}

TEST (Midi9FrameValidity, RejectsWhatTheProtocolCannotCarry)
{
    const std::vector<std::pair<const char*, Midi9Bytes>> bad {
        { "no F7", { 0xF0, 0x09, 0x00, 0x2E, 0x01 } },
        { "data byte above 7F", { 0xF0, 0x09, 0x00, 0x2E, 0x81, 0xF7 } },
        { "other manufacturer", { 0xF0, 0x7E, 0x7F, 0x0D, 0xF7 } },
        { "too short", { 0xF0, 0xF7 } },
        { "empty", {} },
    };

    for (const auto& [name, bytes] : bad)
        EXPECT_FALSE (midi9_is_valid_frame (bytes.data(), (int) bytes.size())) << name;
}
} // namespace
