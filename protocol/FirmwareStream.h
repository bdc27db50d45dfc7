#pragma once

#include "UmpTransport.h"

#include <cstddef>

//==============================================================================
// Firmware image stream: SysEx8 packets, 12 image bytes each, one per tick of the main timer.
constexpr u8 OTA_HOST_ID = 1;
constexpr int kOtaNumStreams = 12;
constexpr int kPartitionDataSize = 400000;
constexpr int kOtaBytesPerPacket = 12;

// Ticks spent opening before the update is given up (the cancel falls on the tick after)
constexpr int kOtaOpenTimeoutTicks = 5001;

constexpr u8 OTA_STATE_IDLE = 0;
constexpr u8 OTA_STATE_STREAMING = 1;
constexpr u8 OTA_STATE_WAIT_CONFIRM = 2;
constexpr u8 OTA_STATE_DONE = 3;
constexpr u8 OTA_STATE_OPENING = 6;

// SysEx8 command and status bytes (data byte 3 of a status packet, data byte 1 of a data packet)
constexpr u8 SX8_OTA_WRITE = 0x10;
constexpr u8 SX8_OTA_OPEN_SEND_STREAM = 0x11;
constexpr u8 SX8_OTA_OPEN_REPLY_STREAM = 0x12;
constexpr u8 SX8_OTA_SEND_STREAM_OPENED = 0x13;
constexpr u8 SX8_OTA_REPLY_STREAM_OPENED = 0x14;
constexpr u8 SX8_OTA_REPLY_WRITE_ABORT = 0x15;
constexpr u8 SX8_OTA_REPLY_WRITE_DONE = 0x16;
constexpr u8 SX8_OTA_SEND_STREAM_PAUSED = 0x17;
constexpr u8 SX8_OTA_SEND_STREAM_RESUMED = 0x18;
constexpr u8 SX8_OTA_ERASE = 0x19;
constexpr u8 SX8_OTA_SEND_STREAM_READY = 0x1A;
constexpr u8 SX8_OTA_SET_OFFSET = 0x1B;
constexpr u8 SX8_OTA_STATUS_1C = 0x1C;
constexpr u8 SX8_OTA_READ = 0x1D;
constexpr u8 SX8_RC_STATUS_REQ = 0x40;
constexpr u8 SX8_RC_STATUS_RPLY = 0x41;

// SysEx8 packet status (word 0 bits 20-23)
constexpr u8 SX8_STATUS_COMPLETE = 0;
constexpr u8 SX8_STATUS_START = 1;
constexpr u8 SX8_STATUS_CONTINUE = 2;
constexpr u8 SX8_STATUS_END = 3;

/** One firmware stream; OTA_str_ctrl holds one per stream id. */
struct ota_stream_ctrl
{
    u32 offset = 0; // image bytes sent so far
    u32 size = 0;
    u8 send_open = 0;
    u8 reply_open = 0;
    u8 src_id = 0;
    u8 dst_id = 0;
    u8 state = OTA_STATE_IDLE;
    std::uint16_t wait_ticks = 0; // ticks spent opening
    u8 multi_board = 0;
    const u8* image = nullptr; // the chosen file's bytes; never read, the pump reads partition_data
};

extern ota_stream_ctrl OTA_str_ctrl[kOtaNumStreams];
extern u8 partition_data[kPartitionDataSize];

/** The image offset beyond which the next progress dot is shown. */
extern u32 ota_last_out_ptr;

/** Every record idle, at offset 0, with its own index as destination. */
void ota_reset_streams();

/** The stream id, target id and record index for a board type: 7, 9 or 10. */
u8 ota_target_id (int boardType);

/** Starts sending an image of 1 to 400,000 bytes to the board the instrument reported; an image of
    another size sends nothing. Returns whether the transfer was started. */
bool ota_start_transfer (const u8* image, std::int64_t size);

/** One step of the firmware stream pump; the main tick runs it every millisecond. */
void ota_pump_step();

/** Whether any stream is past idle, so that the pump has work on the coming ticks. */
bool ota_stream_active();

/** Closes every stream that is opening, streaming or waiting for its confirmation, as when the
    instrument is lost; returns whether there was one. */
bool ota_close_streams_in_flight();

/** Handles a SysEx8 status packet from the instrument. */
void handle_sx8_status (const _ump_message_struct& message);

//==============================================================================
/** The counters behind the progress of the update's later phases. */
struct ProgressBarCounters
{
    float b2 = 0.0f;
    float b3 = 0.0f;
    float b4 = 0.0f;
};

/** Moves the firmware progress for phase 1..5; see InstrumentHost::updateProgressBars. */
void update_progress_bars (ProgressBarCounters& counters, float& firmwareProgress, int phase, float f);
