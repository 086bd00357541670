/*
 * RVIR reference device: the receiver side of the Ravlin network receiver protocol ("RVIR" version 1,
 * docs/receivers.md, "Writing a device").
 *
 * Portable C99 without any operating-system call. The caller
 *   - reports the infrared signal as it is measured: the length of every mark (carrier on) and space
 *     (carrier off) in microseconds, and the end of the signal when no edge came for the framing gap;
 *   - hands over every UDP datagram that arrives at the device's port, with an opaque handle of its
 *     sender;
 *   - gives a send function that sends a datagram to such a handle;
 *   - gives a monotonic time in milliseconds (any start, wrapping at 2^32).
 * Nothing is allocated; one rvir_device holds everything (2408 bytes with the default sizes on a 64-bit
 * host). Not reentrant: call all functions of one device from one context.
 */
#ifndef RVIR_DEVICE_H
#define RVIR_DEVICE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A burst ends at a space this long or longer, or when no edge came for this long. */
#define RVIR_GAP_US 6000u
/* Most durations in one block; the durations after the 255th of a burst are dropped. */
#define RVIR_MAX_DURATIONS 255
/* Bursts waiting for polls; when a new burst finds the queue full the oldest waiting one is dropped. */
#ifndef RVIR_QUEUE_BURSTS
#define RVIR_QUEUE_BURSTS 8
#endif
/* A burst that has waited longer than this when a poll comes is dropped unsent. */
#ifndef RVIR_MAX_AGE_MS
#define RVIR_MAX_AGE_MS 2000u
#endif

#define RVIR_HEADER_SIZE 7
#define RVIR_MAX_DATAGRAM (RVIR_HEADER_SIZE + RVIR_MAX_DURATIONS)

/* Sends `len` bytes of `data` as one UDP datagram to `peer`, the handle given with a poll. Called only
 * from within rvir_device_datagram, so the handle is still valid. */
typedef void (*rvir_send_fn)(void* ctx, void* peer, const uint8_t* data, size_t len);

typedef struct rvir_stats {
    uint32_t polls;       /* polls answered */
    uint32_t blocks_sent; /* bursts sent */
    uint32_t ignored;     /* datagrams that were no valid version-1 poll */
    uint32_t lone_marks;  /* bursts of a single mark, dropped as noise */
    uint32_t cut;         /* bursts longer than 255 durations, cut to 255 */
    uint32_t queue_full;  /* waiting bursts dropped because a newer one came */
    uint32_t stale;       /* waiting bursts dropped because they were too old */
} rvir_stats;

typedef struct rvir_burst {
    uint8_t bytes[RVIR_MAX_DURATIONS];
    uint8_t count;
    uint32_t ended_ms;
} rvir_burst;

typedef struct rvir_device {
    rvir_send_fn send;
    void* send_ctx;
    /* the burst being measured */
    rvir_burst current;
    int in_burst;
    int overflow;
    uint32_t pending_us; /* the duration still growing (repeated marks or spaces are joined) */
    int pending_is_mark;
    /* bursts waiting for polls, oldest at `head` */
    rvir_burst queue[RVIR_QUEUE_BURSTS];
    unsigned head;
    unsigned queued;
    rvir_stats stats;
} rvir_device;

void rvir_device_init(rvir_device* dev, rvir_send_fn send, void* send_ctx);

/* A mark (carrier on) of `us` microseconds. */
void rvir_device_mark(rvir_device* dev, uint32_t us);
/* A space (carrier off) of `us` microseconds; one of RVIR_GAP_US or longer ends the burst. */
void rvir_device_space(rvir_device* dev, uint32_t us, uint32_t now_ms);
/* No edge came for RVIR_GAP_US (the capture timer ran out): the burst ends. */
void rvir_device_end(rvir_device* dev, uint32_t now_ms);

/* A datagram received from `peer`: a valid poll is answered at once, through the send function, with
 * the oldest waiting burst or a keep-alive; anything else is ignored. */
void rvir_device_datagram(rvir_device* dev, const uint8_t* data, size_t len, void* peer, uint32_t now_ms);

/* The one-byte value of a duration of `us` microseconds at position `index` (0: the first mark, in
 * steps of 204.8 us; later ones in steps of 102.4 us), rounded to the nearest step with halves up and
 * kept within 1..255. */
uint8_t rvir_duration_byte(uint32_t us, unsigned index);

#ifdef __cplusplus
}
#endif

#endif
