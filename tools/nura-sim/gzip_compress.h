#pragma once

#include <string>

// `bytes` as a gzip stream (RFC 1952), the form of a body sent with
// Content-Encoding gzip.
std::string GzipCompress(const std::string& bytes);
