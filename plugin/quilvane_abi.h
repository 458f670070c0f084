/* The binary contract between the Quilvane plug-in and a framework host. Both sides include this
 * header and nothing else of each other. Every record is a row of machine words in a fixed order
 * (4 bytes on a 32-bit build, 8 on a 64-bit one), little-endian; all functions are plain C. */
#ifndef QUILVANE_ABI_H
#define QUILVANE_ABI_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A framework string as the plug-in sees it: a reference to a host-owned, reference-counted record.
 * A null reference is the empty string. The plug-in reads only the buffer and the length. */
typedef struct FrameworkString {
    uintptr_t hostWord0;   /* the host's own */
    unsigned char* buffer; /* the text begins at buffer[1]; buffer[0] is not part of it */
    uintptr_t hostWord2;   /* the host's own */
    uintptr_t lengthWord;  /* text length: a signed 32-bit value in the word's low 4 bytes */
} FrameworkString;

/* The length is the low 4 bytes of its word, whatever the host keeps in the others. */
static inline int32_t frameworkStringLength(const FrameworkString* s) {
    return (int32_t)(uint32_t)(s->lengthWord & 0xFFFFFFFFu);
}
static inline unsigned char* frameworkStringText(const FrameworkString* s) {
    return s->buffer + 1;
}

/* A host text encoding object; the plug-in only passes references to it through. */
typedef struct TextEncoding TextEncoding;

/* Any function address; cast to the type of the routine or method before calling. */
typedef void (*AnyFunction)(void);

/* One registered method, handed to the host by address; it never moves or changes. */
typedef struct MethodEntry {
    AnyFunction function;
    AnyFunction setter;      /* 0 for every Quilvane method */
    const char* declaration; /* zero-terminated ASCII, matched byte for byte */
    uintptr_t flags;         /* 4 for every Quilvane method */
} MethodEntry;

/* The host's resolver: a host routine's address by its name, null when the host has none. */
typedef AnyFunction (*HostCallbackResolver)(const char* name);

/* The plug-in's only export, called once per load before any method. */
typedef void (*PluginMainFunction)(HostCallbackResolver resolver);
#define QUILVANE_ENTRY_NAME "MOXLPluginMain"

/* Host routines, by the name the plug-in passes to the resolver. */
typedef void (*RegisterPluginVersionFunction)(int32_t version);     /* "RegisterPluginVersion" */
typedef double (*GetMXVersionFunction)(void);                       /* "MOXLGetMXVersion" */
typedef uint8_t (*InRuntimeFunction)(void);                         /* "MOXLinRuntime" */
typedef void (*RegisterMethodFunction)(const MethodEntry* entry);   /* "PluginRegisterMethod" */
typedef FrameworkString* (*BuildStringFunction)(const char* source, /* "MOXLBuildString" */
                                                int32_t length);
typedef void (*StringReferenceFunction)(
    FrameworkString* s); /* "MOXLLockString", "MOXLUnlockString" */
typedef void (*SetStringEncodingFunction)(FrameworkString* s, /* "MOXLSetStringEncoding" */
                                          int32_t encoding);
typedef AnyFunction (*LoadGlobalMethodFunction)(const char* name, /* "MOXLLoadGlobalMethod" */
                                                const char* declaration);

/* The host routines in a fixed order. A host keeps its routines' addresses in this order and finds
 * the one a name asks for with quilvaneHostRoutineIndex. */
enum QuilvaneHostRoutine {
    quilvaneRegisterPluginVersion,
    quilvaneGetMXVersion,
    quilvaneInRuntime,
    quilvaneRegisterMethod,
    quilvaneBuildString,
    quilvaneLockString,
    quilvaneUnlockString,
    quilvaneSetStringEncoding,
    quilvaneLoadGlobalMethod,
    quilvaneHostRoutineCount
};

/* The name the plug-in passes to the resolver for routine r. */
static inline const char* quilvaneHostRoutineName(enum QuilvaneHostRoutine r) {
    static const char* const names[quilvaneHostRoutineCount] = {
        "RegisterPluginVersion", "MOXLGetMXVersion",      "MOXLinRuntime",
        "PluginRegisterMethod",  "MOXLBuildString",       "MOXLLockString",
        "MOXLUnlockString",      "MOXLSetStringEncoding", "MOXLLoadGlobalMethod"};
    return names[r];
}

/* The routine of that name, or quilvaneHostRoutineCount when the host has none by that name. */
static inline enum QuilvaneHostRoutine quilvaneHostRoutineIndex(const char* name) {
    int r = 0;
    while (r < quilvaneHostRoutineCount &&
           strcmp(name, quilvaneHostRoutineName((enum QuilvaneHostRoutine)r)) != 0) {
        ++r;
    }
    return (enum QuilvaneHostRoutine)r;
}

/* The host method "DefineEncoding( s as String, enc as TextEncoding ) as String": a string with the
 * text of s carrying the given encoding, owned by the caller. */
typedef FrameworkString* (*DefineEncodingFunction)(FrameworkString* s, const TextEncoding* enc);

/* The six methods take the arguments of their declarations in order. The data string is lent; the
 * result holds one reference that the caller owns. */
typedef FrameworkString* (*StringMethod)(FrameworkString* data);
typedef FrameworkString* (*StringWrapMethod)(FrameworkString* data, int32_t lineWrap);
typedef FrameworkString* (*StringEncodingMethod)(FrameworkString* data,
                                                 const TextEncoding* encoding);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(offsetof(FrameworkString, buffer) == sizeof(void*), "buffer is word 1");
static_assert(offsetof(FrameworkString, lengthWord) == 3 * sizeof(void*), "length is word 3");
static_assert(sizeof(MethodEntry) == 4 * sizeof(void*), "a method entry is four words");
#else
_Static_assert(offsetof(FrameworkString, buffer) == sizeof(void*), "buffer is word 1");
_Static_assert(offsetof(FrameworkString, lengthWord) == 3 * sizeof(void*), "length is word 3");
_Static_assert(sizeof(MethodEntry) == 4 * sizeof(void*), "a method entry is four words");
#endif

#endif /* QUILVANE_ABI_H */
