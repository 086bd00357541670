/*
 * rvir-device-host: runs the RVIR reference device (rvir_device.c) on a UDP socket bound to 127.0.0.1
 * and feeds it the signals of a capture file, as a receiver's capture hardware would.
 *
 *   rvir-device-host --port P --capture FILE [--seconds N] [--repeat]
 *
 * The capture file is the workbench's (docs/receivers.md): "kind: K" lines and "DELAY_MS: HH HH ..."
 * bursts, whose bytes are turned back into microseconds by the rule of kind K; it may also hold mode2
 * lines ("pulse N", "space N", "timeout"), fed as they stand. Feeding starts at the first poll; each
 * burst waits for its delay since the previous one. After the last line the file is played again with
 * --repeat; otherwise the device goes on answering polls with keep-alives. POSIX; the device itself
 * makes no system call.
 */
#define _POSIX_C_SOURCE 200809L

#include "rvir_device.h"

#include <arpa/inet.h>
#include <errno.h>
#include <math.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

typedef enum { EV_MARK, EV_SPACE, EV_END } event_type;

typedef struct {
    event_type type;
    uint32_t us;
    uint32_t delay_ms; /* waited for before this event, counted from the previous one */
} event;

typedef struct {
    event* items;
    size_t count, room;
} event_list;

typedef struct {
    int fd;
} host;

typedef struct {
    struct sockaddr_storage addr;
    socklen_t len;
} peer;

static uint32_t now_ms(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint32_t)((uint64_t)ts.tv_sec * 1000u + (uint64_t)ts.tv_nsec / 1000000u);
}

static void push(event_list* list, event_type type, uint32_t us, uint32_t delay_ms) {
    if (list->count == list->room) {
        size_t room = list->room ? list->room * 2 : 256;
        event* items = realloc(list->items, room * sizeof *items);
        if (!items) {
            fprintf(stderr, "rvir-device-host: out of memory\n");
            exit(2);
        }
        list->items = items;
        list->room = room;
    }
    list->items[list->count].type = type;
    list->items[list->count].us = us;
    list->items[list->count].delay_ms = delay_ms;
    list->count++;
}

/* The unit (ms) and the byte rule of the workbench's four receiver kinds; 0 for an unknown kind. */
enum { MOVRIK = 1, USBTINY, IGORPLUG_USB, IGORPLUG_UDP };

static int kind_of(const char* text) {
    if (strcmp(text, "Movrik") == 0) return MOVRIK;
    if (strcmp(text, "USBtiny") == 0) return USBTINY;
    if (strcmp(text, "IgorPlug-USB") == 0) return IGORPLUG_USB;
    if (strcmp(text, "IgorPlug-UDP") == 0) return IGORPLUG_UDP;
    return 0;
}

static double unit_us(int kind) {
    switch (kind) {
    case USBTINY:
    case IGORPLUG_USB:
        return 0.0853333 * 1000.0;
    case IGORPLUG_UDP:
        return 0.0512 * 1000.0;
    default:
        return 0.02133333 * 1000.0;
    }
}

/* Bytes of a kind's raw block as microsecond durations, fed as marks and spaces, then the end. */
static void push_block(event_list* list, int kind, const uint8_t* bytes, size_t n, uint32_t delay_ms) {
    size_t i, index = 0;
    int carry = 0;
    for (i = 0; i < n; ++i) {
        int units;
        if (kind == MOVRIK) {
            if (bytes[i] > 0xF8) {
                carry = (bytes[i] - 0xF8) * 0xF8;
                continue;
            }
            units = bytes[i] + carry;
            carry = 0;
        } else if (kind == USBTINY) {
            units = bytes[i] * 4;
        } else if (kind == IGORPLUG_USB) {
            units = bytes[i] * (index < 7 ? 8 : 4);
        } else {
            units = bytes[i] * (index == 0 ? 4 : 2);
        }
        push(list, index % 2 == 0 ? EV_MARK : EV_SPACE, (uint32_t)lround(units * unit_us(kind)),
             index == 0 ? delay_ms : 0);
        ++index;
    }
    if (index > 0) push(list, EV_END, 0, 0);
}

static int read_capture(const char* path, event_list* list) {
    char line[4096];
    int kind = MOVRIK, number = 0;
    FILE* f = fopen(path, "r");
    if (!f) return 0;
    while (fgets(line, sizeof line, f)) {
        char *p = line, *end;
        ++number;
        line[strcspn(line, "\r\n")] = '\0';
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0' || *p == '#') continue;
        if (strncmp(p, "kind:", 5) == 0) {
            p += 5;
            while (*p == ' ')
                ++p;
            kind = kind_of(p);
            if (kind == 0) {
                fprintf(stderr, "rvir-device-host: %s: line %d: unknown kind, Movrik assumed\n", path,
                        number);
                kind = MOVRIK;
            }
            continue;
        }
        if (strncmp(p, "pulse ", 6) == 0 || strncmp(p, "space ", 6) == 0) {
            const unsigned long us = strtoul(p + 6, &end, 10);
            if (end != p + 6 && us <= 0xFFFFFFul) {
                push(list, p[0] == 'p' ? EV_MARK : EV_SPACE, (uint32_t)us, 0);
                continue;
            }
        } else if (strncmp(p, "timeout", 7) == 0) {
            push(list, EV_END, 0, 0);
            continue;
        } else {
            const unsigned long delay = strtoul(p, &end, 10);
            if (end != p && *end == ':' && delay <= 3600000ul) {
                uint8_t bytes[255];
                size_t n = 0;
                int ok = 1;
                p = end + 1;
                for (;;) {
                    unsigned long b;
                    while (*p == ' ' || *p == '\t')
                        ++p;
                    if (*p == '\0') break;
                    b = strtoul(p, &end, 16);
                    if (end == p || end - p > 2 || n == sizeof bytes) {
                        ok = 0;
                        break;
                    }
                    bytes[n++] = (uint8_t)b;
                    p = end;
                }
                if (ok && n > 0) {
                    push_block(list, kind, bytes, n, (uint32_t)delay);
                    continue;
                }
            }
        }
        fprintf(stderr, "rvir-device-host: %s: line %d: not a burst (skipped)\n", path, number);
    }
    fclose(f);
    return 1;
}

static void send_to_peer(void* ctx, void* to, const uint8_t* data, size_t len) {
    const host* h = ctx;
    const peer* p = to;
    /* a lost answer only shows as a missing block on the PC */
    (void)sendto(h->fd, data, len, 0, (const struct sockaddr*)&p->addr, p->len);
}

/* A whole decimal number, or -1. */
static long number(const char* text) {
    char* end;
    const long v = strtol(text, &end, 10);
    return end != text && *end == '\0' && v >= 0 ? v : -1;
}

static int usage(const char* why) {
    fprintf(
        stderr,
        "rvir-device-host: %s\nusage: rvir-device-host --port P --capture FILE [--seconds N] [--repeat]\n",
        why);
    return 2;
}

int main(int argc, char** argv) {
    long port = -1, seconds = 0;
    const char* capture = NULL;
    int repeat = 0, i;
    event_list events = {NULL, 0, 0};
    struct sockaddr_in addr;
    socklen_t addr_len = sizeof addr;
    host h;
    rvir_device dev;
    size_t next = 0;
    int started = 0;
    uint32_t last_feed = 0, start;

    for (i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--repeat") == 0) {
            repeat = 1;
        } else if (i + 1 < argc && strcmp(argv[i], "--port") == 0) {
            port = number(argv[++i]);
        } else if (i + 1 < argc && strcmp(argv[i], "--capture") == 0) {
            capture = argv[++i];
        } else if (i + 1 < argc && strcmp(argv[i], "--seconds") == 0) {
            seconds = number(argv[++i]);
            if (seconds < 1 || seconds > 86400) return usage("bad --seconds (1..86400)");
        } else {
            return usage("unknown option or missing value");
        }
    }
    if (port < 0 || port > 65535) return usage("--port 0..65535 is required");
    if (!capture) return usage("--capture is required");
    if (!read_capture(capture, &events)) {
        fprintf(stderr, "rvir-device-host: cannot read %s: %s\n", capture, strerror(errno));
        return 2;
    }

    h.fd = socket(AF_INET, SOCK_DGRAM, 0);
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_port = htons((uint16_t)port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (h.fd < 0 || bind(h.fd, (struct sockaddr*)&addr, sizeof addr) != 0 ||
        getsockname(h.fd, (struct sockaddr*)&addr, &addr_len) != 0) {
        fprintf(stderr, "rvir-device-host: cannot listen on 127.0.0.1:%ld: %s\n", port, strerror(errno));
        return 2;
    }
    printf("rvir-device-host: listening on 127.0.0.1:%u\n", (unsigned)ntohs(addr.sin_port));
    fflush(stdout);

    rvir_device_init(&dev, send_to_peer, &h);
    start = now_ms();
    for (;;) {
        const uint32_t now = now_ms();
        int wait = 50;
        struct pollfd pfd;
        if (seconds > 0 && now - start >= (uint32_t)seconds * 1000u) break;
        /* feed every event that is due */
        while (started && next < events.count && now - last_feed >= events.items[next].delay_ms) {
            const event* e = &events.items[next];
            if (e->type == EV_MARK)
                rvir_device_mark(&dev, e->us);
            else if (e->type == EV_SPACE)
                rvir_device_space(&dev, e->us, now);
            else
                rvir_device_end(&dev, now);
            last_feed = now;
            if (++next == events.count && repeat) next = 0;
        }
        if (started && next < events.count) {
            const uint32_t due = events.items[next].delay_ms - (now - last_feed);
            if (due < (uint32_t)wait) wait = (int)due;
        }
        pfd.fd = h.fd;
        pfd.events = POLLIN;
        if (poll(&pfd, 1, wait) > 0) {
            uint8_t buf[RVIR_MAX_DATAGRAM + 1];
            peer from;
            ssize_t n;
            from.len = sizeof from.addr;
            n = recvfrom(h.fd, buf, sizeof buf, 0, (struct sockaddr*)&from.addr, &from.len);
            if (n >= 0) {
                if (!started) {
                    started = 1;
                    last_feed = now_ms();
                }
                rvir_device_datagram(&dev, buf, (size_t)n, &from, now_ms());
            }
        }
    }
    printf("rvir-device-host: %lu polls answered, %lu bursts sent; dropped: %lu lone marks, %lu queue full, "
           "%lu stale, %lu ignored datagrams; %lu bursts cut\n",
           (unsigned long)dev.stats.polls, (unsigned long)dev.stats.blocks_sent,
           (unsigned long)dev.stats.lone_marks, (unsigned long)dev.stats.queue_full,
           (unsigned long)dev.stats.stale, (unsigned long)dev.stats.ignored, (unsigned long)dev.stats.cut);
    close(h.fd);
    free(events.items);
    return 0;
}
