#include "Midi9Parser.h"

#include "InstrumentHost.h"
#include "Midi9Frame.h"
#include "PedalInfo.h"

#include <string>

std::array<pedal_info, 4> PedInfo;
Midi9ParserState midi9ParserState;

namespace
{
/** The received frame, indexed from the manufacturer byte. Every read is checked against
    what arrived, so a short frame can never be read past its end. */
struct Reply
{
    const u8* p;
    int len;

    /** True when position i arrived and holds a data byte, not the closing F7. */
    bool hasData (int i) const { return i >= 0 && i < len && p[i] < 0x80; }

    bool hasDataUpTo (int first, int last) const
    {
        for (int i = first; i <= last; ++i)
            if (!hasData (i))
                return false;

        return true;
    }
};

void log (const juce::String& text)
{
    pops->logMessage (text);
}

u8 lowestNoteFor (u8 totalNotes)
{
    switch (totalNotes)
    {
        case 17:
        case 34:
        case 51:
        case 73:
            return 28;
        case 22:
            return 41;
        case 24:
        case 48:
        case 72:
            return 29;
        case 44:
        case 61:
            return 36;
        case 64:
        case 66:
            return 33;
        case 78:
        case 83:
        case 88:
            return 21;
        default:
            return 97;
    }
}

void boardSizeReport (const Reply& r)
{
    // The report carries a flag byte before the sizes, like every other reply; a report
    // without it (one byte shorter) is read the same way, one position lower.
    int first;

    if (r.hasDataUpTo (4, 8))
        first = 4;
    else if (r.hasDataUpTo (3, 7))
        first = 3;
    else
        return;

    const u8 s1 = r.p[first], s2 = r.p[first + 1], s3 = r.p[first + 2], s4 = r.p[first + 3];
    const u8 type = r.p[first + 4];

    log (juce::String::formatted ("BoardSize report %d %d %d %d", s1, s2, s3, s4));

    pops->boardSizes = { s1, s2, s3, s4 };
    pops->totalNotes = (u8) ((s1 + s2 + s3 + s4) & 0xFF);
    pops->boardCount = (u8) ((s1 != 0) + (s2 != 0) + (s3 != 0) + (s4 != 0));

    if (pops->boardCount == 1)
        log (juce::String::formatted ("%d Notes: 1 Board sized:%d", pops->totalNotes, s1));
    else
        log (juce::String::formatted ("%d Notes -> %d Boards sized:%d %d %d %d", pops->totalNotes,
                                      pops->boardCount, s4, s3, s2, s1));

    pops->boardType = (type == 4 || type == 3) ? type : 1;
    pops->lowestNote = lowestNoteFor (pops->totalNotes);
}

/** The instrument's text as data: anything that is not plain 7-bit text becomes '?'. */
juce::String textOf (const u8* bytes, int count)
{
    std::string text;
    text.reserve ((size_t) count);

    for (int i = 0; i < count; ++i)
        text.push_back ((bytes[i] > 0 && bytes[i] < 0x80) ? (char) bytes[i] : '?');

    return juce::String (text);
}

void textLine (const Reply& r)
{
    if (r.len < 4)
        return;

    const auto text = textOf (r.p + 3, r.len - 4);
    auto& state = midi9ParserState;

    if (text.startsWith ("P:0"))
    {
        const auto slot = juce::jlimit (0, 3, state.versionSlot);
        pops->firmwareVersions[(size_t) slot] = parseAndFormat (text);
        state.versionSlot = slot < 3 ? slot + 1 : 0;
    }

    log (text);

    if (text == ".")
    {
        int phase;

        if (state.dotCount >= 93)
        {
            phase = 2;
            state.dotCount = 0;
        }
        else if (state.dotCount < 31)
            phase = 2;
        else if (state.dotCount < 61)
            phase = 3;
        else
            phase = 4;

        pops->updateProgressBars (phase, 1.0f);
        ++state.dotCount;
    }
}

void pedalReport (const Reply& r)
{
    if (!r.hasDataUpTo (3, 4))
        return;

    const int pedal = (r.p[3] >> 4) & 3;
    auto& info = PedInfo[(size_t) pedal];

    // Every complete pair is stored into the first selector's pedal; the closing F7 ends it.
    for (int i = 3; r.hasDataUpTo (i, i + 1); i += 2)
    {
        const u8 value = r.p[i + 1];

        switch (r.p[i] & 0x0F)
        {
            case PEDAL_FIELD_MODE:
                info.mode = value;
                break;
            case PEDAL_FIELD_HYSTERESIS:
                info.hysteresis = value;
                break;
            case PEDAL_FIELD_CONTROLLER:
                info.controller = value;
                break;
            case PEDAL_FIELD_4:
                info.param_4 = value;
                break;
            case PEDAL_FIELD_5:
                info.param_5 = value;
                break;
            case PEDAL_FIELD_POLARITY:
                info.polarity = value & 3;
                break;
            case PEDAL_FIELD_CHANNEL:
                info.channel = value & 15;
                break;
            default:
                break;
        }
    }

    static const char* const names[] = { " front pedal ", " back pedal ", " aux 2 pedal ", " aux 3 pedal " };
    static const char* const modes[] = { " off", " switch", " smooth", " raw" };

    juce::String line (names[pedal]);

    switch (info.controller)
    {
        case 64:
            line << " sustain";
            break;
        case 67:
            line << " soft";
            break;
        case 11:
            line << " expression";
            break;
        default:
            line << juce::String::formatted (" contr# %3d", info.controller);
            break;
    }

    line << (info.mode < 4 ? modes[info.mode] : " bad data");

    if ((info.polarity & 1) != 0)
        line << " inverted";

    line << juce::String::formatted (" chan #%2d", info.channel + 1);
    line << juce::String::formatted (" hyst %2d", info.hysteresis);
    log (line);

    if (pedal == PEDAL_FRONT)
    {
        pops->selectFrontPedalModeItem (info.mode);
    }
    else if (pedal == PEDAL_BACK)
    {
        switch (info.controller)
        {
            case 7:
                pops->selectBackPedalControllerItem (0);
                break;
            case 11:
                pops->selectBackPedalControllerItem (1);
                break;
            case 64:
                pops->selectBackPedalControllerItem (2);
                break;
            case 67:
                pops->selectBackPedalControllerItem (3);
                break;
            default:
                break;
        }
    }
}

void middleCReference (int v)
{
    const int m = v < 36 ? 60 : v;
    const int d = m - 60;
    const int semitones = ((d % 12) + 12) % 12;
    const int octaves = (d - semitones) / 12; // exact, so this is the floor of d / 12
    const int octaveId = octaves + 3;

    // The octave list holds -2 to +2. Outside it the lists keep their selection: an emptied
    // list would send a reference note made of nothing back to the instrument.
    if (octaveId >= 1 && octaveId <= 5)
        pops->selectTransposeAndOctaveItems (semitones + 1, octaveId);
}

/** Rows that only write a fixed line. */
const char* fixedLineFor (u8 command)
{
    switch (command)
    {
        case M9_OUT_VELOCITY_MODE:
            return "midi out to velocity mode";
        case M9_OUT_RAW_POSITION_MODE:
            return "midi out to raw position mode";
        case M9_OUT_SCALED_POSITION_MODE:
            return "midi out to scaled position mode";
        case M9_OUT_MUTE_MODE:
            return "midi out to mute mode";
        case M9_KEY_ADJUST:
            return "Key adjust start";
        case M9_PARAMETER_RESET:
        case M9_FACTORY_RESTORE:
            return "Parameter Reset";
        case M9_DEEP_CHILL:
            return "Target to deep chill mode";
        case M9_VELOCITY_INTERCEPT:
            return "new velocity intercept";
        default:
            return nullptr;
    }
}

/** Rows that read the value byte; false when the command has no such row. */
bool valueReply (u8 command, int v)
{
    switch (command)
    {
        case M9_VELOCITY_SENSITIVITY:
        {
            // The pressure controls are left alone: a sensitivity is no pressure gain.
            const int s = v - 103;
            log (juce::String::formatted ("Velocity:  %02d", s));
            pops->velocitySensitivity = s;
            pops->showVelocitySensitivity (s);
            return true;
        }
        case M9_LINEAR_VELOCITY_GAIN:
            log (juce::String::formatted ("Linear Velocity Gain:  %02d", v));
            return true;
        case M9_RELEASE_POSITION:
            log (juce::String::formatted ("Release Position:  %02x", v));
            pops->setHiddenSliderValue (7, v);
            return true;
        case M9_AFTER_PRESSURE_GAIN:
            log (juce::String::formatted ("AfterTouch Gain:  %02d", v));
            pops->afterPressureGain = v;
            pops->showAfterPressureGain (v);
            return true;
        case M9_PARAM_16:
            pops->setHiddenSliderValue (6, v);
            return true;
        case M9_WINDOW_SIZE:
            log (juce::String::formatted ("Window Size:  %02d", v));
            return true;
        case M9_AFTER_PRESSURE_RESOLUTION:
            log (juce::String::formatted ("After Pressure Resolution:  %02d", v));
            return true;
        case M9_PARAM_1B:
            pops->setHiddenSliderValue (4, v - 47);
            return true;
        case M9_MINIMUM_VELOCITY:
            log (juce::String::formatted ("Minimum Velocity:  %02d", v));
            return true;
        case M9_VELOCITY_CURVE:
            pops->velocityCurve = v;
            log (juce::String::formatted ("ExpoVelShape:  %02d", v));
            return true;
        case M9_SERIAL_NUMBER:
            log (juce::String::formatted ("serial number  %02d", v));
            return true;
        case M9_PARAM_24:
            pops->setHiddenSliderValue (5, v);
            return true;
        case M9_KEY_SPLIT:
            log (juce::String::formatted ("Key Split Note: %02d", v));
            pops->showKeySplitNote (v);
            return true;
        case M9_MIDDLE_C_REFERENCE:
            log (juce::String::formatted ("Transpose: %02d", v));
            middleCReference (v);
            return true;
        case M9_MIDI_CHANNEL:
            log (juce::String::formatted ("Midi Channel: %02d", v + 1));

            // Only channels the list holds; an emptied list would send a bogus channel back.
            if (v < 16)
                pops->selectMidiChannelItem (v + 1);
            return true;
        case M9_SUSTAIN:
            log (juce::String::formatted ("Sustain: %02d", v));
            return true;
        default:
            return false;
    }
}
} // namespace

void parse_midi9_sysex (const u8* data, int length)
{
    const Reply r { data, length };

    if (data == nullptr || pops == nullptr || length < 3 || data[0] != M9_MANUFACTURER_ID
        || data[1] != M9_FRAME_COMMAND)
        return;

    const u8 command = data[2];

    if (const auto* line = fixedLineFor (command))
    {
        log (line);
        return;
    }

    switch (command)
    {
        case M9_BOARD_SIZE:
            boardSizeReport (r);
            return;
        case M9_PEDAL:
            pedalReport (r);
            return;
        case M9_TEXT_LINE:
            textLine (r);
            return;
        default:
            break;
    }

    // A reply too short to hold its value byte is dropped whole.
    if (r.hasData (4))
        valueReply (command, data[4]);
}

juce::String parseAndFormat (const juce::String& line)
{
    const auto a =
        line.fromFirstOccurrenceOf ("v:", true, false).upToFirstOccurrenceOf ("size", false, false).trim();

    const int k = line.indexOfChar ('k');
    const auto b = line.substring (k + 1, k + 13).trim();

    const auto c = b.upToFirstOccurrenceOf (" ", false, false).trim();
    const auto d = b.fromFirstOccurrenceOf (" ", false, false).trim();

    const auto e = d.upToFirstOccurrenceOf (" ", false, false).trim();
    const auto f = d.fromFirstOccurrenceOf (" ", false, false).trim();

    return a.replace ("v:", "v") + "_" + e + c + f;
}
