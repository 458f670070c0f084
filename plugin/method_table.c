/* The entries the host keeps by address. Written in C so that the table is constant data in the
 * library image: loading the library runs none of its code. */
#include "codec_methods.h"

#define METHOD_FLAGS 4

const MethodEntry methodTable[QUILVANE_METHOD_COUNT] = {
    {(AnyFunction)EncodeBase64, 0,
     "EncodeBase64(data As String, lineWrap As Integer = 76) As String", METHOD_FLAGS},
    {(AnyFunction)DecodeBase64, 0,
     "DecodeBase64(data As String, encoding as TextEncoding = nil) As String", METHOD_FLAGS},
    {(AnyFunction)EncodeQuotedPrintable, 0, "EncodeQuotedPrintable(data As String) As String",
     METHOD_FLAGS},
    {(AnyFunction)DecodeQuotedPrintable, 0,
     "DecodeQuotedPrintable(data As String, encoding as TextEncoding = nil) As String",
     METHOD_FLAGS},
    {(AnyFunction)EncodeURLComponent, 0, "EncodeURLComponent(data As String) As String",
     METHOD_FLAGS},
    {(AnyFunction)DecodeURLComponent, 0,
     "DecodeURLComponent(data As String, encoding as TextEncoding = nil) As String", METHOD_FLAGS},
};
