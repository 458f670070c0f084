/* The six methods the plug-in registers, as the host calls them, and their registration table. */
#ifndef QUILVANE_CODEC_METHODS_H
#define QUILVANE_CODEC_METHODS_H

#include "quilvane_abi.h"

#ifdef __cplusplus
extern "C" {
#endif

FrameworkString* EncodeBase64(FrameworkString* data, int32_t lineWrap);
FrameworkString* DecodeBase64(FrameworkString* data, const TextEncoding* encoding);
FrameworkString* EncodeQuotedPrintable(FrameworkString* data);
FrameworkString* DecodeQuotedPrintable(FrameworkString* data, const TextEncoding* encoding);
FrameworkString* EncodeURLComponent(FrameworkString* data);
FrameworkString* DecodeURLComponent(FrameworkString* data, const TextEncoding* encoding);

/* In registration order. */
#define QUILVANE_METHOD_COUNT 6
extern const MethodEntry methodTable[QUILVANE_METHOD_COUNT];

#ifdef __cplusplus
}
#endif

#endif /* QUILVANE_CODEC_METHODS_H */
