// The records themselves come in through the assembler (.incbin); the
// generated embedded/form1_record.h and embedded/form2_record.h reach them.
#include "embedded/form1_record.h"
#include "embedded/form2_record.h"
