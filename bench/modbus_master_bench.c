/* libmodbus as master, for comparison with calyptron-cli bench on the same line.
 * usage: modbus_master_bench DEVICE SLAVE ADDR COUNT N */
#include <errno.h>
#include <modbus.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

static double cpu(void) {
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: modbus_master_bench DEVICE SLAVE ADDR COUNT N\n");
        return 2;
    }
    modbus_t* ctx = modbus_new_rtu(argv[1], 9600, 'N', 8, 1);
    if (!ctx || modbus_set_slave(ctx, atoi(argv[2])) != 0 || modbus_connect(ctx) != 0) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    modbus_set_response_timeout(ctx, 1, 0);
    int addr = (int)strtol(argv[3], NULL, 0), count = atoi(argv[4]), n = atoi(argv[5]);
    uint16_t regs[125];
    double c0 = cpu(), t0 = now();
    for (int i = 0; i < n; ++i) {
        if (modbus_read_registers(ctx, addr, count, regs) != count) {
            fprintf(stderr, "read %d failed: %s\n", i, modbus_strerror(errno));
            return 1;
        }
    }
    double t = now() - t0, c = cpu() - c0;
    printf("%d transactions in %.3f s: %.1f/s, CPU %.1f us/transaction\n", n, t, n / t, c * 1e6 / n);
    return 0;
}
