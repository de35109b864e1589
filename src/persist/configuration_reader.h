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
// config_energy_min                     value       signed decimal
// config_drc_offset                     value       unsigned hexadecimal
// config_limit_offset                   value       unsigned hexadecimal
// config_noisegate_offset               value       unsigned hexadecimal
//
// A missing attribute, a text that is not a number or a number that does not
// fit in 32 bits keeps the default. A reset list is used only when every
// non-empty piece is a number and there is at least one.

#include <optional>
#include <string>

#include "model/configuration.h"

namespace dsp {

class AttributeSource {
 public:
  virtual ~AttributeSource() = default;
  // The text of `attribute` of the control named `control`, if both exist.
  virtual std::optional<std::string> Attribute(const std::string& control, const std::string& attribute) const = 0;
};

Configuration ReadConfiguration(const AttributeSource& source);

}  // namespace dsp
