# Embeds a file's bytes in a target through the assembler's .incbin, so no
# file is read at run time and no multi-megabyte array goes through the
# compiler. Generates <name>.h declaring
#     std::span<const std::uint8_t> embedded::<name>();
# in the binary folder's "embedded/" include directory.
function(lansu_embed target name file)
    set(out_dir "${CMAKE_BINARY_DIR}/embedded")
    set(asm "${out_dir}/${name}.S")
    set(header "${out_dir}/embedded/${name}.h")
    file(MAKE_DIRECTORY "${out_dir}/embedded")
    file(CONFIGURE OUTPUT "${asm}" CONTENT [=[
#define CONCAT2(a, b) a##b
#define CONCAT(a, b) CONCAT2(a, b)
#define SYMBOL(x) CONCAT(__USER_LABEL_PREFIX__, x)
#if defined(_WIN32)
    .section .rdata,"dr"
#else
    .section .rodata.lansu_embed_@name@,"a"
#endif
    .balign 16
    .globl SYMBOL(lansu_embed_@name@_begin)
SYMBOL(lansu_embed_@name@_begin):
    .incbin "@file@"
    .globl SYMBOL(lansu_embed_@name@_end)
SYMBOL(lansu_embed_@name@_end):
    .byte 0
#if defined(__linux__) && defined(__ELF__)
    .section .note.GNU-stack,"",%progbits
#endif
]=] @ONLY)
    file(CONFIGURE OUTPUT "${header}" CONTENT [=[
#pragma once
#include <cstdint>
#include <span>

extern "C" const std::uint8_t lansu_embed_@name@_begin[];
extern "C" const std::uint8_t lansu_embed_@name@_end[];

namespace embedded {
inline std::span<const std::uint8_t> @name@() {
    return {lansu_embed_@name@_begin, lansu_embed_@name@_end};
}
} // namespace embedded
]=] @ONLY)
    target_sources(${target} PRIVATE "${asm}")
    set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
    target_include_directories(${target} PUBLIC "${out_dir}")
endfunction()
