// The network tests' fixture: the socket subsystem started around each test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "formats/byte_buffer.h"
#include "net/net_endpoint.h"

namespace OvTest
{

class NetTest : public ::testing::Test
{
  protected:
    void SetUp() override { OvCore::NetStartup(); }
    void TearDown() override { OvCore::NetShutdown(); }
};

inline std::string Text(const OvCore::ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.start), buffer.count);
}

inline OvCore::ByteBuffer Bytes(const std::string& text)
{
    OvCore::ByteBuffer buffer;
    buffer.Write(text.data(), static_cast<uint32_t>(text.size()));
    return buffer;
}

} // namespace OvTest
