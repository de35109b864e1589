#include "cli/options.h"

namespace dsp {

std::string UsageText() {
  return "Usage: dspctl [--port PATH | --simulate DEVICES] [--baud N] [--config FILE]\n"
         "              [--scan-time MS] [--json] COMMAND [ARGUMENTS]\n"
         "Controls the audio processors on one serial bus. Every command that names a\n"
         "processor scans the bus first; ADDR is the address that scan gives it, or the\n"
         "processor's chip ID (16 hexadecimal digits), which stays the same from scan to\n"
         "scan while the addresses follow the order in which the processors answer.\n"
         "\n"
         "Commands:\n"
         "  ports                         serial devices that open\n"
         "  scan                          address, chip ID, name, inputs, outputs of each processor\n"
         "  read ADDR -o FILE.ini         read every parameter into a parameter file\n"
         "  write ADDR FILE.ini           load a parameter file and write it to the processor\n"
         "  copy SRC DST...               read SRC and write its parameters to each DST\n"
         "  preset list ADDR              the names of presets 0 to 16\n"
         "  preset recall ADDR N          recall preset N and read the processor back\n"
         "  preset save ADDR N            store the current settings as preset N\n"
         "  preset name ADDR N TEXT       name preset N (at most 19 bytes)\n"
         "  reset ADDR                    restore the factory preset and read back\n"
         "  levels ADDR [--count N]       N readings of every channel's level in dBv\n"
         "  pink ADDR CH on|off           pink noise on input CH (A to H, or 1 to 8)\n"
         "  effects-save ADDR FILE.bin    copy the stored effect memory into a file\n"
         "  effects-load ADDR FILE.bin    send an effect memory file to the processor\n"
         "  firmware ADDR FILE.bin        update the firmware (the only processor on the bus)\n"
         "\n"
         "Options:\n"
         "  --port PATH          serial device (default: the first one that opens)\n"
         "  --simulate DEVICES   simulated processors instead, e.g. \"Hall:8x8,Stage:4x8\"\n"
         "  --baud N             bus speed (default config_baud, 115200)\n"
         "  --config FILE        configuration values, one \"name = value\" per line\n"
         "  --scan-time MS       how long a scan listens (default config_scan_time, 5000)\n"
         "  --json               one JSON document on standard output\n"
         "  --help               show this text\n"
         "  --version            show the version\n"
         "\n"
         "Progress goes to standard error, results to standard output. Exit status:\n"
         "0 success, 1 failure, 2 a command line that cannot be understood.\n";
}

}  // namespace dsp
