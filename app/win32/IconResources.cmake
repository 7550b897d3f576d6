# Writes a resource script that holds an icon file's images as the program's
# icon: image i as icon resource (RT_ICON) first_id + i, and icon group
# (RT_GROUP_ICON) group_id listing them, both from the file's own bytes.
#
# A resource script's ICON statement numbers the images itself, from 1, and
# names the group after the statement; the program's icon is image 30001 in
# group 1, so the two resources are written out as raw data instead.
function(lansu_icon_resources ico_file group_id first_id out_file)
    file(READ "${ico_file}" hex HEX)
    string(LENGTH "${hex}" hex_length)
    math(EXPR size "${hex_length} / 2")

    # Little-endian numbers at a byte offset.
    macro(read_number var offset bytes)
        set(${var} 0)
        math(EXPR _last "${bytes} - 1")
        foreach(_i RANGE ${_last} 0 -1)
            math(EXPR _at "(${offset} + ${_i}) * 2")
            string(SUBSTRING "${hex}" ${_at} 2 _byte)
            math(EXPR ${var} "(${${var}} << 8) + 0x${_byte}")
        endforeach()
    endmacro()

    read_number(reserved 0 2)
    read_number(type 2 2)
    read_number(count 4 2)
    math(EXPR directory_end "6 + 16 * ${count}")
    if(NOT reserved EQUAL 0 OR NOT type EQUAL 1 OR count EQUAL 0 OR size LESS directory_end)
        message(FATAL_ERROR "${ico_file} is not an icon file")
    endif()

    # Raw data as 16-bit words, low byte first, as the resource compiler reads it.
    function(words_of byte_hex var)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])([0-9a-f][0-9a-f])" "0x\\2\\1, " words
                             "${byte_hex}")
        string(REGEX REPLACE ", $" "" words "${words}")
        string(REGEX REPLACE "((0x[0-9a-f]+, ){12})" "\\1\n    " words "${words}")
        set(${var} "${words}" PARENT_SCOPE)
    endfunction()

    set(script "// Made at build time from ${ico_file}.\n")
    # GRPICONDIR: reserved, type 1, count.
    string(SUBSTRING "${hex}" 0 12 group_hex)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
        math(EXPR entry "6 + 16 * ${i}")
        read_number(image_size "${entry} + 8" 4)
        read_number(image_offset "${entry} + 12" 4)
        math(EXPR image_end "${image_offset} + ${image_size}")
        if(image_end GREATER size OR image_size EQUAL 0 OR image_size GREATER 65534)
            message(FATAL_ERROR "${ico_file}: image ${i} lies outside the file")
        endif()
        math(EXPR id "${first_id} + ${i}")
        # GRPICONDIRENTRY: the file's entry without its offset, then the id.
        math(EXPR entry_hex "${entry} * 2")
        string(SUBSTRING "${hex}" ${entry_hex} 24 entry_bytes)
        math(EXPR id_low "${id} & 0xFF")
        math(EXPR id_high "${id} >> 8")
        foreach(part id_low id_high)
            math(EXPR ${part} "${${part}}" OUTPUT_FORMAT HEXADECIMAL)
            string(REGEX REPLACE "^0x" "" ${part} "${${part}}")
            string(LENGTH "${${part}}" part_length)
            if(part_length EQUAL 1)
                set(${part} "0${${part}}")
            endif()
        endforeach()
        string(APPEND group_hex "${entry_bytes}${id_low}${id_high}")

        math(EXPR image_hex "${image_offset} * 2")
        math(EXPR image_hex_length "${image_size} * 2")
        string(SUBSTRING "${hex}" ${image_hex} ${image_hex_length} image_bytes)
        math(EXPR odd "${image_size} % 2")
        if(odd)
            string(APPEND image_bytes "00") # the resource's size is then one byte more
        endif()
        words_of("${image_bytes}" image_words)
        # 3 is RT_ICON.
        string(APPEND script "${id} 3\nBEGIN\n    ${image_words}\nEND\n\n")
    endforeach()
    words_of("${group_hex}" group_words)
    # 14 is RT_GROUP_ICON.
    string(APPEND script "${group_id} 14\nBEGIN\n    ${group_words}\nEND\n")
    file(CONFIGURE OUTPUT "${out_file}" CONTENT "${script}")
endfunction()
