#include "protocol/Midi9Frame.h"

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
                    { 0xF0, 0x09, 0x5A, 0x00, 0x2C, 0x41, 43, 0xF7 } }),
    [] (const auto& info)
    {
        auto name = juce::String (info.param.name)
                        .retainCharacters ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        return name.toStdString();
    });

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
