#pragma once

// Fills the product constants from a source of named attributes: the skin's
// invisible "config_" controls in the desktop application, a configuration
// file for the command-line tool.
//
// control                               attribute   conversion
// config_reset_frequency_input_0..7     frequency   comma-separated decimals
// config_reset_frequency_output_0..7    frequency   comma-separated decimals
// config_effects                        max         signed decimal
// config_pink_noise_address             value       unsigned hexadecimal
// config_pink_noise_size                value       unsigned hexadecimal
// config_pink_noise_volume              value       unsigned decimal
// config_energy_full                    value       unsigned hexadecimal, 0 read as 1
// config_baud                           value       unsigned decimal
// config_scan_time                      value       unsigned decimal
// config_answer_wait_extra              value       unsigned decimal (ms)
// config_network_ports                  value       comma-separated tcp:// or rfc2217:// names
// config_energy_min                     value       signed decimal
// config_drc_offset                     value       unsigned hexadecimal
// config_limit_offset                   value       unsigned hexadecimal
// config_noisegate_offset               value       unsigned hexadecimal
//
// A missing attribute keeps the default. A text that is not a number of the
// row's conversion (blank, "fast", "-5" for an unsigned value, more than 32
// bits) and a number outside what its use allows keep the default too, and
// are refused with a message naming the control:
// config_effects.max 0..65536 (the block index has 16 bits), config_baud
// 1..4000000, config_scan_time 1..3600000 ms, config_answer_wait_extra 0..60000 ms, config_energy_min -1000..0 dB,
// config_drc_offset 0..6553 (ten times it must fit the 16-bit threshold),
// config_limit_offset and config_noisegate_offset 0..255 (one byte). A reset
// list is used only when every non-empty piece is a number and there is at
// least one; any other list is refused the same way.

#include <optional>
#include <string>
#include <vector>

#include "model/configuration.h"

namespace dsp {

class AttributeSource {
 public:
  virtual ~AttributeSource() = default;
  // The text of `attribute` of the control named `control`, if both exist.
  virtual std::optional<std::string> Attribute(const std::string& control, const std::string& attribute) const = 0;
};

// `refused` gets one line per value refused, naming its control and what to
// write instead.
Configuration ReadConfiguration(const AttributeSource& source, std::vector<std::string>& refused);
// The desktop keeps the defaults of refused values without a word.
Configuration ReadConfiguration(const AttributeSource& source);

}  // namespace dsp
