/* An independent Modbus RTU slave (libmodbus) for interoperability tests.
 * usage: modbus_slave DEVICE SLAVE
 * Holding register i starts as 0x1000 + i; writes are kept. Serves until killed. */
#include <modbus.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: modbus_slave DEVICE SLAVE\n");
        return 2;
    }
    modbus_t* ctx = modbus_new_rtu(argv[1], 9600, 'N', 8, 1);
    if (!ctx || modbus_set_slave(ctx, atoi(argv[2])) != 0 || modbus_connect(ctx) != 0) {
        fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    modbus_mapping_t* map = modbus_mapping_new(0, 0, 0x2000, 0);
    for (int i = 0; i < 0x2000; ++i)
        map->tab_registers[i] = (uint16_t)(0x1000 + i);
    printf("ready\n");
    fflush(stdout);
    for (;;) {
        uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
        int rc = modbus_receive(ctx, query);
        if (rc > 0)
            modbus_reply(ctx, query, rc, map);
    }
}
