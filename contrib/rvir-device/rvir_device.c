/* RVIR reference device: see rvir_device.h and docs/receivers.md. */
#include "rvir_device.h"

#include <string.h>

enum { TYPE_POLL = 0x01, TYPE_BLOCK = 0x02, VERSION = 1 };

static const uint8_t magic[4] = {'R', 'V', 'I', 'R'};

uint8_t rvir_duration_byte(uint32_t us, unsigned index) {
    /* Steps of 204.8 us (first mark) or 102.4 us: steps = us / 102.4 = 10 us / 1024, rounded. Anything
     * above 60 ms is beyond the largest byte anyway; capping first keeps 10 * us within 32 bits. */
    const uint32_t capped = us > 60000u ? 60000u : us;
    const uint32_t tenths = 10u * capped;
    const uint32_t step = index == 0 ? 2048u : 1024u;
    uint32_t steps = (tenths + step / 2u) / step;
    if (steps < 1u) steps = 1u;
    if (steps > 255u) steps = 255u;
    return (uint8_t)steps;
}

void rvir_device_init(rvir_device* dev, rvir_send_fn send, void* send_ctx) {
    memset(dev, 0, sizeof *dev);
    dev->send = send;
    dev->send_ctx = send_ctx;
}

/* Appends the grown duration to the burst; durations past the 255th are dropped. */
static void flush_pending(rvir_device* dev) {
    if (dev->pending_us == 0) return;
    if (dev->current.count < RVIR_MAX_DURATIONS) {
        dev->current.bytes[dev->current.count] = rvir_duration_byte(dev->pending_us, dev->current.count);
        dev->current.count++;
    } else {
        dev->overflow = 1;
    }
    dev->pending_us = 0;
}

static void grow(rvir_device* dev, int is_mark, uint32_t us) {
    if (us == 0) return;
    if (!dev->in_burst) {
        if (!is_mark) return; /* a burst starts with a mark */
        dev->in_burst = 1;
        dev->overflow = 0;
        dev->current.count = 0;
        dev->pending_is_mark = 1;
        dev->pending_us = 0;
    }
    if (is_mark != dev->pending_is_mark) {
        flush_pending(dev);
        dev->pending_is_mark = is_mark;
    }
    /* joined lengths stop growing where no byte can carry them */
    dev->pending_us = us > 0xFFFFFFFFu - dev->pending_us ? 0xFFFFFFFFu : dev->pending_us + us;
}

static void enqueue(rvir_device* dev, uint32_t now_ms) {
    rvir_burst* slot;
    if (dev->queued == RVIR_QUEUE_BURSTS) {
        /* the oldest waiting burst makes room: what the PC gets stays recent */
        dev->head = (dev->head + 1u) % RVIR_QUEUE_BURSTS;
        dev->queued--;
        dev->stats.queue_full++;
    }
    slot = &dev->queue[(dev->head + dev->queued) % RVIR_QUEUE_BURSTS];
    memcpy(slot->bytes, dev->current.bytes, dev->current.count);
    slot->count = dev->current.count;
    slot->ended_ms = now_ms;
    dev->queued++;
}

void rvir_device_end(rvir_device* dev, uint32_t now_ms) {
    if (!dev->in_burst) return;
    dev->in_burst = 0;
    if (dev->pending_is_mark) flush_pending(dev);
    dev->pending_us = 0; /* a trailing space is no part of the burst */
    if (dev->current.count > 0u && dev->current.count % 2u == 0u) dev->current.count--; /* ends with a mark */
    if (dev->overflow) dev->stats.cut++;
    if (dev->current.count == 1u) {
        /* a lone mark is noise; as a one-byte block it would be reported as data loss */
        dev->stats.lone_marks++;
        return;
    }
    enqueue(dev, now_ms);
}

void rvir_device_mark(rvir_device* dev, uint32_t us) {
    grow(dev, 1, us);
}

void rvir_device_space(rvir_device* dev, uint32_t us, uint32_t now_ms) {
    if (us >= RVIR_GAP_US) {
        rvir_device_end(dev, now_ms);
        return;
    }
    grow(dev, 0, us);
}

static int is_poll(const uint8_t* data, size_t len) {
    return len == RVIR_HEADER_SIZE && memcmp(data, magic, sizeof magic) == 0 && data[4] == VERSION &&
           data[5] == TYPE_POLL && data[6] == 0;
}

void rvir_device_datagram(rvir_device* dev, const uint8_t* data, size_t len, void* peer, uint32_t now_ms) {
    uint8_t out[RVIR_MAX_DATAGRAM];
    size_t n = 0;
    if (!data || !is_poll(data, len)) {
        dev->stats.ignored++;
        return;
    }
    dev->stats.polls++;
    while (dev->queued > 0 && (uint32_t)(now_ms - dev->queue[dev->head].ended_ms) > RVIR_MAX_AGE_MS) {
        dev->head = (dev->head + 1u) % RVIR_QUEUE_BURSTS;
        dev->queued--;
        dev->stats.stale++;
    }
    memcpy(out, magic, sizeof magic);
    out[4] = VERSION;
    out[5] = TYPE_BLOCK;
    if (dev->queued > 0) {
        const rvir_burst* b = &dev->queue[dev->head];
        memcpy(out + RVIR_HEADER_SIZE, b->bytes, b->count);
        n = b->count;
        dev->head = (dev->head + 1u) % RVIR_QUEUE_BURSTS;
        dev->queued--;
        dev->stats.blocks_sent++;
    }
    out[6] = (uint8_t)n; /* 0: a keep-alive */
    dev->send(dev->send_ctx, peer, out, RVIR_HEADER_SIZE + n);
}
