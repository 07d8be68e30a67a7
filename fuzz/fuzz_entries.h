#pragma once

#include <cstddef>
#include <cstdint>

// The bodies of the fuzz targets: each parses outside bytes and checks what must hold whatever they
// are, trapping when it does not. The fuzz programs and a unit test with seed inputs call them.
int fuzzReflectogramFile(const std::uint8_t* data, std::size_t size);
int fuzzSectionFile(const std::uint8_t* data, std::size_t size);
int fuzzTableFile(const std::uint8_t* data, std::size_t size);
int fuzzSettingsFile(const std::uint8_t* data, std::size_t size);
// Bytes arriving from the instrument, split into reads as the header bytes say, fed to the reply parser
// as the worker feeds it.
int fuzzDeviceReply(const std::uint8_t* data, std::size_t size);
