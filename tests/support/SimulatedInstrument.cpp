#include "SimulatedInstrument.h"

#include "protocol/Midi9Frame.h"
#include "protocol/MidiControllers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr std::uint8_t sysexStart = 0xf0;
constexpr std::uint8_t sysexEnd = 0xf7;

// Commands that travel as ten-byte set or query frames.
bool isValueCommand (std::uint8_t command)
{
    switch (command)
    {
        case M9_VELOCITY_SENSITIVITY:
        case M9_RELEASE_POSITION:
        case M9_AFTER_PRESSURE_GAIN:
        case M9_PARAM_16:
        case M9_WINDOW_SIZE:
        case M9_AFTER_PRESSURE_RESOLUTION:
        case M9_PARAM_1B:
        case M9_VELOCITY_CURVE:
        case M9_SERIAL_NUMBER:
        case M9_PARAM_24:
        case M9_KEY_SPLIT:
        case M9_MIDDLE_C_REFERENCE:
        case M9_MIDI_CHANNEL:
            return true;
        default:
            return false;
    }
}

// Commands that travel as short frames: the allowed argument counts.
bool isShortCommand (std::uint8_t command, int arguments)
{
    switch (command)
    {
        case M9_KEY_ADJUST:
            return arguments == 0 || arguments == 1;
        case M9_DEEP_CHILL:
        case M9_GET_FIRMWARE_STATUS:
        case M9_FIRMWARE_STEP_2:
        case M9_FACTORY_RESTORE:
            return arguments == 0;
        default:
            return false;
    }
}

bool isKnownShortCommand (std::uint8_t command)
{
    return isShortCommand (command, 0) || isShortCommand (command, 1);
}

SimulatedInstrument::Bytes textLineFrame (const juce::String& text)
{
    SimulatedInstrument::Bytes frame { 0xf0, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, M9_TEXT_LINE };

    for (auto c : text)
        frame.push_back ((std::uint8_t) (c & 0x7f));

    frame.push_back (0xf7);
    return frame;
}

juce::String hex (const juce::MidiMessage& message)
{
    return juce::String::toHexString (message.getRawData(), message.getRawDataSize());
}
} // namespace

//==============================================================================
SimulatedInstrument::SimulatedInstrument (VirtualMidiDeviceLayer& layerToUse)
    : SimulatedInstrument (layerToUse, Ports())
{
}

SimulatedInstrument::SimulatedInstrument (VirtualMidiDeviceLayer& layerToUse, Ports portsToUse)
    : juce::Thread ("Simulated instrument"), layer (layerToUse), ports (std::move (portsToUse))
{
    resetSettings();
    startThread();
}

SimulatedInstrument::~SimulatedInstrument()
{
    stop();
    unplug();

    for (auto& error : takeErrors())
        ADD_FAILURE() << "Simulated instrument: " << error;
}

void SimulatedInstrument::stop()
{
    signalThreadShouldExit();
    queueChanged.notify_all();
    stopThread (5000);
}

//==============================================================================
void SimulatedInstrument::plug()
{
    {
        std::lock_guard<std::mutex> guard (stateLock);
        if (plugged)
            return;
        plugged = true;
    }

    layer.addInputDevice (ports.name, ports.inputIdentifier);
    layer.addOutputDevice (ports.name, ports.outputIdentifier,
                           [this] (const juce::MidiMessage& message) { receiveFromProgram (message); });
}

void SimulatedInstrument::unplug()
{
    {
        std::lock_guard<std::mutex> guard (stateLock);
        if (!plugged)
            return;
        plugged = false;
    }

    layer.removeInputDevice (ports.inputIdentifier);
    layer.removeOutputDevice (ports.outputIdentifier);
}

bool SimulatedInstrument::isPlugged() const
{
    std::lock_guard<std::mutex> guard (stateLock);
    return plugged;
}

void SimulatedInstrument::setBoardLayout (const BoardLayout& layout)
{
    std::lock_guard<std::mutex> guard (stateLock);
    boardLayout = layout;
}

std::uint8_t SimulatedInstrument::getSetting (std::uint8_t command) const
{
    std::lock_guard<std::mutex> guard (stateLock);
    auto found = settings.find (command);
    return found != settings.end() ? found->second : 0;
}

void SimulatedInstrument::setSetting (std::uint8_t command, std::uint8_t value)
{
    std::lock_guard<std::mutex> guard (stateLock);
    settings[command] = value;

    if (command == M9_KEY_SPLIT)
        keySplitFlag = value != 0 ? 0 : 1;
}

void SimulatedInstrument::resetSettings()
{
    std::lock_guard<std::mutex> guard (stateLock);
    settings = { { M9_VELOCITY_SENSITIVITY, 103 },
                 { M9_RELEASE_POSITION, 0x20 },
                 { M9_AFTER_PRESSURE_GAIN, 50 },
                 { M9_PARAM_16, 0 },
                 { M9_WINDOW_SIZE, 4 },
                 { M9_AFTER_PRESSURE_RESOLUTION, 2 },
                 { M9_PARAM_1B, 47 },
                 { M9_VELOCITY_CURVE, 8 },
                 { M9_SERIAL_NUMBER, 1 },
                 { M9_PARAM_24, 0 },
                 { M9_KEY_SPLIT, 0 },
                 { M9_MIDDLE_C_REFERENCE, 60 },
                 { M9_MIDI_CHANNEL, 0 } };
    keySplitFlag = 1;

    for (auto& pedal : pedalFields)
        pedal.fill (0);
    pedalFields[PEDAL_FRONT][PEDAL_FIELD_MODE] = PEDAL_MODE_SMOOTH;
    pedalFields[PEDAL_FRONT][PEDAL_FIELD_CONTROLLER] = 64;
}

void SimulatedInstrument::setReplyDelay (int milliseconds)
{
    std::lock_guard<std::mutex> guard (stateLock);
    replyDelayMs = milliseconds;
}

//==============================================================================
void SimulatedInstrument::send (const juce::MidiMessage& message)
{
    auto stamped = message;
    stamped.setTimeStamp (juce::Time::getMillisecondCounterHiRes() * 0.001);
    layer.deliver (ports.inputIdentifier, stamped);
}

void SimulatedInstrument::send (const Bytes& bytes)
{
    send (juce::MidiMessage (bytes.data(), (int) bytes.size()));
}

std::vector<juce::MidiMessage> SimulatedInstrument::getReceived() const
{
    std::lock_guard<std::mutex> guard (stateLock);
    return received;
}

std::vector<SimulatedInstrument::Bytes> SimulatedInstrument::getReceivedBytes() const
{
    std::vector<Bytes> result;
    for (auto& message : getReceived())
        result.emplace_back (message.getRawData(), message.getRawData() + message.getRawDataSize());
    return result;
}

void SimulatedInstrument::clearReceived()
{
    std::lock_guard<std::mutex> guard (stateLock);
    received.clear();
}

int SimulatedInstrument::countReceived (const Bytes& bytes) const
{
    auto all = getReceivedBytes();
    return (int) std::count (all.begin(), all.end(), bytes);
}

std::vector<juce::String> SimulatedInstrument::takeErrors()
{
    std::lock_guard<std::mutex> guard (stateLock);
    auto taken = std::move (errors);
    errors.clear();
    return taken;
}

bool SimulatedInstrument::waitUntilIdle (int timeoutMilliseconds)
{
    std::unique_lock<std::mutex> guard (queueLock);
    return queueChanged.wait_for (guard, std::chrono::milliseconds (timeoutMilliseconds),
                                  [this] { return queue.empty() && !busy; });
}

//==============================================================================
void SimulatedInstrument::receiveFromProgram (const juce::MidiMessage& message)
{
    {
        std::lock_guard<std::mutex> guard (queueLock);
        queue.push_back (message);
    }
    queueChanged.notify_all();
}

void SimulatedInstrument::run()
{
    while (!threadShouldExit())
    {
        juce::MidiMessage message;

        {
            std::unique_lock<std::mutex> guard (queueLock);
            queueChanged.wait_for (guard, std::chrono::milliseconds (50),
                                   [this] { return !queue.empty() || threadShouldExit(); });
            if (queue.empty())
                continue;

            message = queue.front();
            queue.pop_front();
            busy = true;
        }

        {
            std::lock_guard<std::mutex> guard (stateLock);
            received.push_back (message);
        }

        if (checkCarriable (message))
            handleMessage (message);

        {
            std::lock_guard<std::mutex> guard (queueLock);
            busy = false;
        }
        queueChanged.notify_all();
    }
}

bool SimulatedInstrument::checkCarriable (const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();

    if (size <= 0)
    {
        recordError ("empty message");
        return false;
    }

    if (bytes[0] == sysexStart)
    {
        if (size < 2 || bytes[size - 1] != sysexEnd)
        {
            recordError ("system-exclusive message without F7: " + hex (message));
            return false;
        }

        for (int i = 1; i < size - 1; ++i)
        {
            if (bytes[i] > 0x7f)
            {
                recordError ("data byte above 0x7F at position " + juce::String (i) + ": " + hex (message));
                return false;
            }
        }

        return true;
    }

    if (bytes[0] < 0x80)
    {
        recordError ("message without a status byte: " + hex (message));
        return false;
    }

    const auto expected = juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
    if (size != expected)
    {
        recordError ("message of " + juce::String (size) + " bytes where its status needs "
                     + juce::String (expected) + ": " + hex (message));
        return false;
    }

    for (int i = 1; i < size; ++i)
    {
        if (bytes[i] > 0x7f)
        {
            recordError ("data byte above 0x7F: " + hex (message));
            return false;
        }
    }

    return true;
}

//==============================================================================
void SimulatedInstrument::handleMessage (const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();
    const auto size = message.getRawDataSize();

    if (bytes[0] == sysexStart)
    {
        if (size >= 4 && bytes[1] == M9_MANUFACTURER_ID && bytes[2] == M9_FRAME_COMMAND)
            handleCommandFrame (Bytes (bytes, bytes + size));
        else
            handleOtherSysEx (message);
    }
    else
    {
        handleChannelMessage (message);
    }
}

void SimulatedInstrument::handleCommandFrame (const Bytes& frame)
{
    const auto message = juce::MidiMessage (frame.data(), (int) frame.size());
    const auto size = (int) frame.size();

    if (size < 5)
    {
        recordError ("command frame too short: " + hex (message));
        return;
    }

    const auto command = frame[3];

    if (command == M9_BOARD_SIZE)
    {
        if (size != 11 || std::any_of (frame.begin() + 4, frame.end() - 1, [] (auto b) { return b != 0; }))
        {
            recordError ("board-size query must be F0 09 00 1F and six zero bytes: " + hex (message));
            return;
        }

        BoardLayout layout;
        {
            std::lock_guard<std::mutex> guard (stateLock);
            layout = boardLayout;
        }

        reply ({ sysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, M9_BOARD_SIZE, layout.sizes[0],
                 layout.sizes[1], layout.sizes[2], layout.sizes[3], layout.type, sysexEnd });
        return;
    }

    if (isValueCommand (command))
    {
        if (size != 10)
        {
            recordError ("set or query frame of " + juce::String (size) + " bytes: " + hex (message));
            return;
        }

        const auto flag = frame[4];
        const bool valuesAgree = frame[5] == frame[6] && frame[6] == frame[7] && frame[7] == frame[8];

        if (command == M9_KEY_SPLIT)
        {
            // The split frame turns the flag round: 00 carries a note, 01 and zeros switch it off.
            if (!valuesAgree || (flag == 0x01 && frame[5] != 0) || flag > 0x01)
            {
                recordError ("malformed key-split frame: " + hex (message));
                return;
            }

            const bool isQuery = flag == 0x00 && frame[5] == 0;

            if (!isQuery)
            {
                std::lock_guard<std::mutex> guard (stateLock);
                keySplitFlag = flag;
                settings[command] = frame[5];
            }

            std::uint8_t storedFlag, value;
            {
                std::lock_guard<std::mutex> guard (stateLock);
                storedFlag = keySplitFlag;
                value = settings[command];
            }

            reply ({ sysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, storedFlag, value, value,
                     value, value, sysexEnd });
            return;
        }

        if (flag == M9_FLAG_SET)
        {
            if (!valuesAgree)
            {
                recordError ("set frame whose four value bytes differ: " + hex (message));
                return;
            }

            setSetting (command, frame[5]);
            reply (frame); // a set is echoed
            return;
        }

        if (flag == M9_FLAG_QUERY)
        {
            if (frame[5] != 0 || !valuesAgree)
            {
                recordError ("query frame with non-zero bytes: " + hex (message));
                return;
            }

            const auto value = getSetting (command);
            reply ({ sysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, command, M9_FLAG_SET, value, value,
                     value, value, sysexEnd });
            return;
        }

        recordError ("unknown flag in command frame: " + hex (message));
        return;
    }

    if (command == M9_PEDAL)
    {
        if (size < 7 || (size - 5) % 2 != 0)
        {
            recordError ("pedal frame must carry whole selector and value pairs: " + hex (message));
            return;
        }

        Bytes answer { sysexStart, M9_MANUFACTURER_ID, M9_FRAME_COMMAND, M9_PEDAL };

        for (int i = 4; i + 1 < size - 1; i += 2)
        {
            const auto selector = frame[(size_t) i];
            const auto pedal = (selector >> 4) & 0x03;
            const auto field = selector & 0x0f;

            std::lock_guard<std::mutex> guard (stateLock);
            if ((selector & M9_PEDAL_WRITE_BIT) != 0)
                pedalFields[(size_t) pedal][(size_t) field] = frame[(size_t) i + 1];

            answer.push_back ((std::uint8_t) (selector & ~M9_PEDAL_WRITE_BIT));
            answer.push_back (pedalFields[(size_t) pedal][(size_t) field]);
        }

        answer.push_back (sysexEnd);
        reply (answer);
        return;
    }

    if (isKnownShortCommand (command))
    {
        if (!isShortCommand (command, size - 5))
        {
            recordError ("short command of the wrong length: " + hex (message));
            return;
        }

        if (command == M9_FACTORY_RESTORE)
            resetSettings();

        if (command == M9_DEEP_CHILL)
            firmwareReceiver.handleMessage (message);

        if (command == M9_KEY_ADJUST)
            handleKeyAdjust (frame);

        if (command == M9_GET_FIRMWARE_STATUS)
            for (auto& line : getFirmwareStatusLines())
                reply (textLineFrame (line));

        if (command == M9_FIRMWARE_STEP_2)
        {
            if (!firmwareReceiver.isComplete())
                recordError ("firmware step 2 before board one's image was complete");

            // The other boards load one after another; each progress line moves the
            // program's progress through its phases from a quarter to the end.
            for (int i = 0; i < kStepTwoProgressLines; ++i)
                reply (textLineFrame ("."));
        }

        return;
    }

    handleUnknown (message, "unknown command");
}

void SimulatedInstrument::handleOtherSysEx (const juce::MidiMessage& message)
{
    if (message.getRawDataSize() >= 3 && (message.getRawData()[1] == 0x7e || message.getRawData()[1] == 0x7f))
    {
        handleUniversalSysEx (message);
        return;
    }

    if (firmwareReceiver.handleMessage (message) || controllerResponder.handleMessage (message))
        return;

    handleUnknown (message, "system-exclusive message the instrument does not handle");
}

void SimulatedInstrument::handleUniversalSysEx (const juce::MidiMessage& message)
{
    midiCi.receiveFromProgram (message.getRawData(), message.getRawDataSize());
}

void SimulatedInstrument::handleChannelMessage (const juce::MidiMessage& message)
{
    // Only the resolution (0x66) and controller-transmission (0x68) switches: 0x00 or 0x40.
    const auto* bytes = message.getRawData();
    const bool isSwitch = (bytes[0] & 0xf0) == 0xb0 && (bytes[1] == 0x66 || bytes[1] == 0x68)
                          && (bytes[2] == 0x00 || bytes[2] == 0x40);

    if (!isSwitch)
        handleUnknown (message, "channel message the instrument does not take");
}

void SimulatedInstrument::handleKeyAdjust (const Bytes& frame)
{
    // The calibration mode comes first, as a controller packet.
    const auto modeController = UMP_NRPN_BASE + NRPN_CALIBRATION_MODE;
    const auto mode = controllerResponder.getControllerValue (modeController);
    const auto argument = frame.size() == 5 ? -1 : (int) frame[4];
    auto next = KeyMode::playing;

    if (argument == -1 && mode == CAL_MODE_ALL_POSITIONS)
        next = KeyMode::findingRests;
    else if (argument == KEY_ADJUST_DOWN_POSITIONS
             && (mode == CAL_MODE_ALL_POSITIONS || mode == CAL_MODE_DOWN_POSITIONS))
        next = KeyMode::findingDowns;
    else if (argument == KEY_ADJUST_FIXED_MODE)
        controllerResponder.setControllerValue (modeController, 0);
    else
        return recordError ("key-adjust frame out of its calibration mode: "
                            + hex (juce::MidiMessage (frame.data(), (int) frame.size())));

    std::lock_guard<std::mutex> guard (stateLock);
    keyMode = next;
}

void SimulatedInstrument::handleUnknown (const juce::MidiMessage& message, const juce::String& why)
{
    if (unhandledMessageHandler && unhandledMessageHandler (message))
        return;

    recordError (why + ": " + hex (message));
}

void SimulatedInstrument::recordError (const juce::String& error)
{
    std::lock_guard<std::mutex> guard (stateLock);
    errors.push_back (error);
}

void SimulatedInstrument::reply (const Bytes& bytes)
{
    int delay;
    {
        std::lock_guard<std::mutex> guard (stateLock);
        delay = replyDelayMs;
    }

    if (delay > 0)
        juce::Thread::sleep (delay);

    send (bytes);
}

//==============================================================================
void SimulatedInstrument::sendTextLine (const juce::String& text)
{
    send (textLineFrame (text));
}

void SimulatedInstrument::sendProgressDots (int count)
{
    for (int i = 0; i < count; ++i)
        sendTextLine (".");
}

void SimulatedInstrument::setFirmwareStatusLines (const juce::StringArray& lines)
{
    std::lock_guard<std::mutex> guard (stateLock);
    firmwareStatusLines = lines;
    firmwareStatusLinesSet = true;
}

juce::StringArray SimulatedInstrument::getFirmwareStatusLines() const
{
    std::lock_guard<std::mutex> guard (stateLock);

    if (firmwareStatusLinesSet)
        return firmwareStatusLines;

    juce::StringArray lines;

    for (size_t board = 0; board < boardLayout.sizes.size(); ++board)
        if (boardLayout.sizes[board] != 0)
            lines.add ("P:0 v:2." + juce::String ((int) board + 1) + " size:20480 blk Jan 0"
                       + juce::String ((int) board + 2) + " 2025 keys "
                       + juce::String (boardLayout.sizes[board]));

    return lines;
}

//==============================================================================
bool SimulatedInstrument::expectKeyMode (KeyMode wanted, const juce::String& what)
{
    std::lock_guard<std::mutex> guard (stateLock);

    if (keyMode != wanted)
        errors.push_back (what + " asked for outside its calibration step");

    return keyMode == wanted;
}

void SimulatedInstrument::reportRests (int count)
{
    if (expectKeyMode (KeyMode::findingRests, "rest reports"))
        for (int key = 0; key < count; ++key)
            controllerResponder.sendKeyPositionReport (kLowestKeyNote + key,
                                                       0x00102030u + (std::uint32_t) key);
}

void SimulatedInstrument::reportDowns (int firstNote, int count)
{
    if (expectKeyMode (KeyMode::findingDowns, "down reports"))
        for (int note = firstNote; note < firstNote + count; ++note)
            send (juce::MidiMessage::programChange (1, note));
}

void SimulatedInstrument::reportSingleNote (int note, std::uint32_t value)
{
    if (expectKeyMode (KeyMode::findingDowns, "a single-note result"))
        controllerResponder.sendKeyPositionReport (note, value);
}

void SimulatedInstrument::movePedal (std::uint8_t value)
{
    send (juce::MidiMessage::controllerEvent (1, 64, value));
}
