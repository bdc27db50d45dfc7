#include "FirmwareStream.h"

#include "InstrumentHost.h"
#include "Midi9Frame.h"
#include "MidiControllers.h"

#include <algorithm>
#include <cstring>

ota_stream_ctrl OTA_str_ctrl[kOtaNumStreams];
u8 partition_data[kPartitionDataSize];
u32 ota_last_out_ptr = 300;

namespace
{
constexpr u32 kProgressDotStep = 5000;

_ump_message_struct openPacket (u8 target, u8 command, u32 size)
{
    _ump_message_struct packet;
    packet.word[0] = 0x500D0000u | (u32) target << 8;
    packet.word[1] = 0x09000001u | (u32) command << 16 | (u32) target << 8;
    packet.word[2] = 0x02000000u;
    packet.word[3] = size;
    return packet;
}

/** Image bytes offset..offset+11 as three words, each four bytes read little-endian. Bytes past the
    image, or past the buffer, go as zeros. */
void readImageWords (const ota_stream_ctrl& r, u32* words)
{
    const auto end = std::min<u32> (r.size, (u32) kPartitionDataSize);

    for (int k = 0; k < 3; ++k)
    {
        u32 word = 0;

        for (int b = 0; b < 4; ++b)
        {
            const auto index = r.offset + (u32) (4 * k + b);

            if (index < end)
                word |= (u32) partition_data[index] << (8 * b);
        }

        words[k] = word;
    }
}

void sendDataPacket (ota_stream_ctrl& r, u8 target)
{
    _ump_message_struct pump;

    if (r.offset + kOtaBytesPerPacket >= r.size)
    {
        const auto remaining = r.offset < r.size ? r.size - r.offset : 0u;
        const auto count = (remaining + 1) << 16 & 0xCF0000u;
        pump.word[0] = 0x50300000u | (u32) target << 8 | count | SX8_OTA_WRITE;
        readImageWords (r, pump.word + 1);
        r.offset += kOtaBytesPerPacket;
        logMessage ("");
        logMessage ("waiting for confirmation");
        ump_out (pump);
        r.state = OTA_STATE_WAIT_CONFIRM;
    }
    else
    {
        pump.word[0] = 0x502D0000u | (u32) target << 8 | SX8_OTA_WRITE;
        readImageWords (r, pump.word + 1);
        ump_out (pump);
        r.offset += kOtaBytesPerPacket;
    }

    if (r.offset > ota_last_out_ptr)
    {
        // The end packet moves the offset past the image; board one's share stops at a quarter
        pops->firmwareProgress = (float) std::min (r.offset, r.size) / (float) r.size * 0.25f;
        pops->appendOutProgressDot();
        ota_last_out_ptr += kProgressDotStep;
    }
}

void closeStream (ota_stream_ctrl& s)
{
    s.send_open = 0;
    s.reply_open = 0;
    s.state = OTA_STATE_IDLE;
}
} // namespace

//==============================================================================
void ota_reset_streams()
{
    for (int i = 0; i < kOtaNumStreams; ++i)
    {
        OTA_str_ctrl[i] = ota_stream_ctrl {};
        OTA_str_ctrl[i].dst_id = (u8) i;
    }
}

u8 ota_target_id (int boardType)
{
    switch (boardType)
    {
        case 1:
            return 7;
        case 3:
            return 9;
        default:
            return 10;
    }
}

bool ota_start_transfer (const u8* image, std::int64_t size)
{
    if (pops == nullptr)
        return false;

    const auto t = ota_target_id (pops->boardType);
    auto& r = OTA_str_ctrl[t];
    r.multi_board = 0;

    if (image == nullptr || size < 1 || size > kPartitionDataSize)
    {
        logMessage ("");
        return false;
    }

    std::memcpy (partition_data, image, (size_t) size);
    r.state = OTA_STATE_OPENING;
    r.dst_id = t;
    r.size = (u32) size;
    r.image = image;

    pops->sendToInstrument (midi9_short_command (M9_DEEP_CHILL));

    logMessage ("");

    r.state = OTA_STATE_OPENING;
    r.send_open = 0;
    r.reply_open = 0;
    r.src_id = OTA_HOST_ID;
    r.offset = 0;
    r.wait_ticks = 0;

    ump_out (openPacket (t, SX8_OTA_OPEN_SEND_STREAM, r.size));
    ump_out (openPacket (t, SX8_OTA_OPEN_REPLY_STREAM, r.size));
    pops->mainTickWorkArrived();
    return true;
}

void ota_pump_step()
{
    if (pops == nullptr)
        return;

    const auto t = ota_target_id (pops->boardType);
    auto& r = OTA_str_ctrl[t];

    switch (r.state)
    {
        case OTA_STATE_OPENING:
            if (r.wait_ticks++ >= kOtaOpenTimeoutTicks)
            {
                logMessage ("UPDATE Canceled. No response");
                r.state = OTA_STATE_IDLE;
                r.wait_ticks = 0;
            }
            break;

        case OTA_STATE_DONE:
            closeStream (r);
            r.offset = 0;

            if (r.multi_board == 1)
            {
                logMessage ("Multi Board Done");
                logMessage ("Now Old School update");
            }
            else
            {
                // Board one's share is complete, whether or not a progress step fell near its end
                pops->firmwareProgress = 0.25f;
                logMessage ("Single board Done");
                ota_last_out_ptr = 30000;
            }
            break;

        case OTA_STATE_STREAMING:
            if (r.send_open && r.reply_open)
                sendDataPacket (r, t);
            break;

        default:
            break;
    }
}

bool ota_stream_active()
{
    return std::any_of (std::begin (OTA_str_ctrl), std::end (OTA_str_ctrl),
                        [] (const ota_stream_ctrl& s) { return s.state != OTA_STATE_IDLE; });
}

bool ota_close_streams_in_flight()
{
    bool closed = false;

    for (auto& s : OTA_str_ctrl)
    {
        if (s.state == OTA_STATE_OPENING || s.state == OTA_STATE_STREAMING
            || s.state == OTA_STATE_WAIT_CONFIRM)
        {
            closeStream (s);
            closed = true;
        }
    }

    return closed;
}

void handle_sx8_status (const _ump_message_struct& message)
{
    if (pops == nullptr)
        return;

    const auto word0 = message.word[0];
    const auto word1 = message.word[1];

    // Complete or start packets carrying manufacturer 00 09 only
    if (((word0 >> 16) & 0xFF) >= 0x20 || (word0 & 0xFF) != 0x00 || (word1 >> 24) != 0x09)
        return;

    const auto stream = (word0 >> 8) & 0xFF;

    if (stream >= (u32) kOtaNumStreams)
        return;

    auto& s = OTA_str_ctrl[stream];
    const auto command = (u8) (word1 >> 16);
    const auto dst = (u8) (word1 >> 8);
    const auto src = (u8) word1;
    const auto t = ota_target_id (pops->boardType);

    if (src == t)
    {
        s.src_id = t;

        if (s.dst_id != dst)
        {
            s.dst_id = dst;
            closeStream (s);
        }
    }
    else if (stream != 11)
    {
        if (s.src_id != src)
        {
            s.src_id = src;
            s.dst_id = dst;
            closeStream (s);
        }
        return;
    }

    auto& r = OTA_str_ctrl[t];

    switch (command)
    {
        case SX8_OTA_WRITE:
            logMessage ("OTA target trying to write here: BOGUS");
            break;

        case SX8_OTA_OPEN_SEND_STREAM:
            logMessage ("OTA target trying to open a stream to send data here: BOGUS... maybe some dey for "
                        "something but not now");
            break;

        case SX8_OTA_OPEN_REPLY_STREAM:
            logMessage (
                "OTA target trying to open a stream to open replt stream here: BOGUS... maybe some dey "
                "for something but not now");
            break;

        case SX8_OTA_SEND_STREAM_OPENED:
            logMessage ("OTA SX8_OTA_SEND_STREAM_OPENED by target");
            r.send_open = 1;
            if (r.reply_open == 1)
                r.state = OTA_STATE_STREAMING;
            break;

        case SX8_OTA_REPLY_STREAM_OPENED:
            logMessage ("OTA SX8_OTA_REPLY_STREAM_OPENED by target");
            r.reply_open = 1;
            if (r.send_open == 1)
                r.state = OTA_STATE_STREAMING;
            break;

        case SX8_OTA_REPLY_WRITE_ABORT:
            logMessage ("OTA SX8_OTA_REPLY_WRITE_ABORT by target");
            r.reply_open = 0;
            r.state = OTA_STATE_IDLE;
            logMessage ("OTA update aborted by target");
            break;

        case SX8_OTA_REPLY_WRITE_DONE:
            r.state = OTA_STATE_DONE;
            r.reply_open = 0;
            break;

        case SX8_OTA_SEND_STREAM_PAUSED:
            r.send_open = 0;
            break;

        case SX8_OTA_SEND_STREAM_RESUMED:
        case SX8_OTA_SEND_STREAM_READY:
            r.send_open = 1;
            break;

        case SX8_OTA_ERASE:
            logMessage (
                "OTA target trying to erase data here: BOGUS... maybe some dey for something but not now");
            break;

        case SX8_OTA_SET_OFFSET:
        {
            // An offset past the image would send bytes that are not in it
            const auto offset = message.word[2] & 0xFFFFFF;

            if (offset > r.size)
                logMessage ("OTA SX8_OTA_SET_OFFSET beyond the image ignored");
            else
                r.offset = offset;
            break;
        }

        case SX8_OTA_READ:
            logMessage ("OTA target trying to read here: BOGUS");
            break;

        case SX8_RC_STATUS_REQ:
            logMessage ("SX8_RC_STATUS_REQ");
            break;

        case SX8_RC_STATUS_RPLY:
            post_carried_controller_report (message);
            logMessage ("SX8_RC_STATUS_RPLY");
            break;

        default:
            break;
    }
}

//==============================================================================
void update_progress_bars (ProgressBarCounters& counters, float& firmwareProgress, int phase, float f)
{
    switch (phase)
    {
        case 1:
            firmwareProgress = f * 0.25f;
            break;
        case 2:
            firmwareProgress = counters.b2 / 29.0f * 0.25f + 0.25f;
            counters.b2 += 1.0f;
            break;
        case 3:
            firmwareProgress = counters.b3 / 29.0f * 0.25f + 0.5f;
            counters.b3 += 1.0f;
            break;
        case 4:
            firmwareProgress = counters.b4 / 29.0f * 0.25f + 0.75f;
            counters.b4 += 1.0f;
            break;
        case 5:
            counters = ProgressBarCounters {};
            break;
        default:
            break;
    }
}
