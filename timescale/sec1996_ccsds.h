/**
 * @file
 * sec1996_ccsds.h - counts in and out of the CCSDS time codes.
 *
 * The CCSDS Time Code Formats (CCSDS 301.0-B-4) are the byte layouts that
 * spacecraft, instruments and ground software exchange.  This header
 * encodes counts of the scale into three of them and decodes them back:
 *
 *   CUC  unsegmented: coarse binary seconds from an epoch and a binary
 *        fraction.  Level 2 with the scale's epoch, 1996-01-01 00:00:00
 *        UTC: the coarse time is the count itself, leap second included
 *        (P-field time code id 010).  Level 1 (id 001): the coarse time is
 *        TAI seconds since 1958-01-01 00:00:00 TAI, from the full list of
 *        leap seconds (sec1996_scales.h).
 *   CDS  day segmented: days from 1958-01-01 (level 1) or from an agency
 *        epoch (level 2), milliseconds of the UTC day and an optional
 *        microsecond or picosecond part of the millisecond.
 *   CCS  calendar segmented: the UTC date and time in BCD, month and day
 *        or day of the year, and 0 to 6 octets of decimal sub-seconds.
 *
 * Every code is an optional P-field (preamble) and a T-field (the time).
 * Each layout struct below describes both: with pField set, the encoder
 * writes the P-field before the T-field and the decoder reads the layout
 * from the P-field it finds (the layout's other members are then ignored,
 * except the agency epoch of CDS, which no P-field carries); with pField 0
 * the code is the T-field alone and the struct is the implicit P-field.
 * Every multi-octet field is big-endian.
 *
 * Fractions.  A count holds whole seconds; the part of a second a code
 * carries is passed beside it.  CUC fractions are binary, in units of
 * 2^-64 s (0x8000000000000000 is half a second); CDS and CCS fractions are
 * decimal, in picoseconds, 0 to 999999999999.  An encoder truncates the
 * fraction to the layout's resolution.  A decoder returns the fraction the
 * code holds, exactly; given no place for it (a null pointer), it refuses a
 * code whose fraction is not 0 with SEC1996_PARSE_FRACTION rather than drop
 * it.
 *
 * Leap second.  1997-06-30 23:59:60 (count 47260800) is CUC coarse time
 * 47260800, CDS milliseconds of the day 86400000 to 86400999 of day
 * 1997-06-30, and CCS second 60.  CDS milliseconds past 86399999 or CCS
 * second 60 on any other day are refused.
 *
 * Refusals.  Every function returns a Sec1996ParseStatus (sec1996.h) and
 * writes nothing on a refusal; no decoder reads past the size it is given.
 * The level-1 CUC functions may also return the warnings of true time
 * (SEC1996_PARSE_LIST_EXPIRED, and SEC1996_PARSE_LEAP_NOT_ON_SCALE with
 * SEC1996_MAP_LEAP_TO_235959), which come with their results.
 * The layout pointer of every function must not be a null pointer.
 *
 * Not here: CUC fine times of 9 or 10 octets (SEC1996_PARSE_RESERVED);
 * agency-defined codes (id 110).  Each CUC decoder refuses the other
 * level's time code id as SEC1996_PARSE_WRONG_CODE.
 *
 * Example (CUC 4+2 with its P-field):
 *     Sec1996CucLayout cuc = {1, 4, 2};
 *     uint8_t code[SEC1996_CCSDS_MAX_SIZE];
 *     size_t length = 0;
 *     cvtFromSec1996_cuc(47260800, 0, &cuc, code, sizeof code, &length);
 *     // code = 2E 02 D1 24 80 00 00, length 7
 *
 * Thread safety: every function keeps no state and may be called from any
 * number of threads at once.
 */
#ifndef SEC1996_SEC1996_CCSDS_H
#define SEC1996_SEC1996_CCSDS_H

#include "sec1996.h"
#include "sec1996_scales.h"

#ifdef __cplusplus
extern "C" {
#endif

/** The longest code of any layout: a CUC of 2 P-field octets, 7 coarse and 8
 * fine octets. */
#define SEC1996_CCSDS_MAX_SIZE 17

/** Sec1996CucLayout: a CUC layout.  Without the extended P-field (its second
 * octet) a CUC has 1-4 coarse and 0-3 fine octets; with it up to 7 coarse
 * and 10 fine, of which this library reads and writes up to 8 fine octets
 * (a 2^-64 s resolution).  The encoder writes the one-octet P-field where
 * it suffices and the two-octet one otherwise; the two mission-use bits of
 * the second octet are written 0 and ignored when read. */
typedef struct Sec1996CucLayout {
  int pField;       /**< nonzero: the P-field precedes the T-field */
  int coarseOctets; /**< 1-7 */
  int fineOctets;   /**< 0-8 */
} Sec1996CucLayout;

/** The sub-millisecond segment of a CDS, as P-field bits 6-7 give it. */
typedef enum Sec1996CdsSubMillisecond {
  SEC1996_CDS_NO_SUB_MS = 0,    /**< none */
  SEC1996_CDS_MICROSECONDS = 1, /**< 16 bits, microseconds of the millisecond, 0-999 */
  SEC1996_CDS_PICOSECONDS = 2   /**< 32 bits, picoseconds of the millisecond,
                                   0-999999999 */
} Sec1996CdsSubMillisecond;

/** Sec1996CdsLayout: a CDS layout.  Day 0 is 1958-01-01 (level 1) or, with
 * agencyEpoch set, the UTC date epochYear-epochMon-epochDay (level 2, for
 * example 1996-01-01); either way the days are UTC calendar days. */
typedef struct Sec1996CdsLayout {
  int pField;         /**< nonzero: the P-field precedes the T-field */
  int dayOctets;      /**< 2 (16-bit day) or 3 (24-bit day) */
  int subMillisecond; /**< a Sec1996CdsSubMillisecond */
  int agencyEpoch;    /**< nonzero: day 0 is the date below */
  int32_t epochYear;  /**< the agency epoch's year, where agencyEpoch is set */
  int32_t epochMon;   /**< its month, 1-12 */
  int32_t epochDay;   /**< its day; the three must name a real date */
} Sec1996CdsLayout;

/** Sec1996CcsLayout: a CCS layout. */
typedef struct Sec1996CcsLayout {
  int pField;          /**< nonzero: the P-field precedes the T-field */
  int dayOfYear;       /**< 0: month and day of the month; nonzero: day of the year */
  int subSecondOctets; /**< 0-6, each two decimal digits: 10^-2 s to 10^-12 s */
} Sec1996CcsLayout;

/** codeLength1996_cuc - the length of a CUC of a layout
 *
 *   size_t codeLength1996_cuc(const Sec1996CucLayout* layout);
 *
 * Parameters:   layout - the layout.
 * Return value: the octets of one code, P-field included when
 *               layout->pField is set; 0 for a layout outside the ranges
 *               above.
 * Thread safety: safe. */
SEC1996_API size_t codeLength1996_cuc(const Sec1996CucLayout* layout);

/** cvtFromSec1996_cuc - a count as a CUC, level 2 with the scale's epoch
 *
 *   Sec1996ParseStatus cvtFromSec1996_cuc(Sec1996 count, uint64_t fraction,
 *       const Sec1996CucLayout* layout, uint8_t* code, size_t size,
 *       size_t* length);
 *
 * Parameters:   count - the coarse time.  fraction - the part of a second
 *               after it in units of 2^-64 s, 0 for none; truncated to the
 *               fine octets.  layout - the layout.  code, size - where the
 *               code goes.  length - where its length goes; may be a null
 *               pointer.
 * Return value: SEC1996_PARSE_OK, the code in code[0..*length-1]; else
 *               nothing is written and:
 *               SEC1996_PARSE_RESERVED - a layout outside the ranges above;
 *               SEC1996_PARSE_OUT_OF_SPAN - count needs more coarse octets
 *                 than the layout has (a counter that would roll over);
 *               SEC1996_PARSE_BUFFER_TOO_SMALL - size is below the length.
 * Leap second:  coarse time 47260800, as every other count: CUC counts
 *               seconds uniformly.
 * Span:         every count with 4 or more coarse octets.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_cuc(Sec1996 count, uint64_t fraction,
                                                  const Sec1996CucLayout* layout, uint8_t* code,
                                                  size_t size, size_t* length);

/** cvtToSec1996_cuc - a CUC, level 2 with the scale's epoch, as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_cuc(const uint8_t* code, size_t size,
 *       const Sec1996CucLayout* layout, Sec1996* count, uint64_t* fraction,
 *       size_t* used);
 *
 * Parameters:   code, size - the octets; no more than size are read, and
 *               octets after the code are left alone.  layout - with pField
 *               set, the code starts with its P-field, which gives the
 *               layout; else the code is the T-field of this layout.
 *               count - where the coarse time goes; fraction - where the
 *               fine time goes, in units of 2^-64 s; used - where the
 *               length of the code goes.  Each may be a null pointer.
 * Return value: SEC1996_PARSE_OK and the results set; else none is set and:
 *               SEC1996_PARSE_TRUNCATED - size ends before the code does;
 *               SEC1996_PARSE_WRONG_CODE - the P-field's time code id is
 *                 another code (CDS, CCS, CUC level 1, agency-defined);
 *               SEC1996_PARSE_RESERVED - a reserved time code id, a third
 *                 P-field octet, more than 8 fine octets, or an implicit
 *                 layout outside the ranges above;
 *               SEC1996_PARSE_OUT_OF_SPAN - a coarse time above 4294967295;
 *               SEC1996_PARSE_FRACTION - fraction is a null pointer and the
 *                 fine time is not 0.
 * Leap second:  coarse time 47260800 is the leap second.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_cuc(const uint8_t* code, size_t size,
                                                const Sec1996CucLayout* layout, Sec1996* count,
                                                uint64_t* fraction, size_t* used);

/** cvtFromSec1996_cucTai - a count as a CUC, level 1: TAI from 1958
 *
 *   Sec1996ParseStatus cvtFromSec1996_cucTai(const Sec1996LeapList* list,
 *       Sec1996 count, uint64_t fraction, const Sec1996CucLayout* layout,
 *       uint8_t* code, size_t size, size_t* length);
 *
 * Parameters:   list - the leap-second list, or a null pointer for the
 *               default table (as for cvtFromSec1996_tai).  count - the
 *               second; its TAI seconds since 1958-01-01 00:00:00 TAI, as
 *               cvtFromSec1996_tai gives them, are the coarse time (count 0
 *               is 1199145630).  fraction, layout, code, size, length - as
 *               for cvtFromSec1996_cuc; with the P-field, its time code id
 *               is 001.
 * Return value: SEC1996_PARSE_OK, the code in code[0..*length-1];
 *               SEC1996_PARSE_LIST_EXPIRED, a warning: the code is written
 *                 as well, but the count lies at or past the list's expiry
 *                 and its TAI assumes no further leap second;
 *               else nothing is written and:
 *               SEC1996_PARSE_RESERVED - a layout outside the ranges above;
 *               SEC1996_PARSE_BUFFER_TOO_SMALL - size is below the length;
 *               SEC1996_PARSE_OUT_OF_SPAN - the TAI needs more coarse octets
 *                 than the layout has (with 4, the counts from
 *                 2094-02-06 06:27:39 on), or the count lies before the
 *                 list's first date.
 * Leap second:  the scale's own, 47260800, is TAI 1246406430, one after
 *               47260799's.  Across a leap second the scale lacks (from
 *               1998-12-31 23:59:60 on) the coarse time of one count to the
 *               next steps by 2.
 * Span:         every count with 5 or more coarse octets.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_cucTai(const Sec1996LeapList* list, Sec1996 count,
                                                     uint64_t fraction,
                                                     const Sec1996CucLayout* layout, uint8_t* code,
                                                     size_t size, size_t* length);

/** cvtToSec1996_cucTai - a CUC, level 1: TAI from 1958, as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_cucTai(const Sec1996LeapList* list,
 *       const uint8_t* code, size_t size, const Sec1996CucLayout* layout,
 *       unsigned flags, Sec1996* count, uint64_t* fraction, size_t* used);
 *
 * Parameters:   list - as for cvtFromSec1996_cucTai.  code, size, layout,
 *               count, fraction, used - as for cvtToSec1996_cuc; with
 *               pField set the P-field's time code id must be 001.  flags -
 *               0 or SEC1996_MAP_LEAP_TO_235959 (sec1996_scales.h).
 * Return value: SEC1996_PARSE_OK and the results set;
 *               SEC1996_PARSE_LIST_EXPIRED, a warning: the results are set,
 *                 at or past the list's expiry, assuming no further leap
 *                 second;
 *               SEC1996_PARSE_LEAP_NOT_ON_SCALE - the coarse time is a leap
 *                 second the scale does not count (2016-12-31 23:59:60, TAI
 *                 1861920036): nothing is set, or, with
 *                 SEC1996_MAP_LEAP_TO_235959, the results are set to the
 *                 count of the 23:59:59 before it and the code's fraction;
 *               else none is set and:
 *               SEC1996_PARSE_TRUNCATED, SEC1996_PARSE_RESERVED - as for
 *                 cvtToSec1996_cuc;
 *               SEC1996_PARSE_WRONG_CODE - the P-field's time code id is
 *                 another code (CUC level 2, CDS, CCS, agency-defined);
 *               SEC1996_PARSE_OUT_OF_SPAN - a coarse time before count 0
 *                 (1199145630) or after count 4294967295, or before the
 *                 list's first date;
 *               SEC1996_PARSE_FRACTION - fraction is a null pointer and the
 *                 fine time is not 0 (checked after the statuses above).
 * Leap second:  coarse time 1246406430 is the scale's own, 47260800.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_cucTai(const Sec1996LeapList* list, const uint8_t* code,
                                                   size_t size, const Sec1996CucLayout* layout,
                                                   unsigned flags, Sec1996* count,
                                                   uint64_t* fraction, size_t* used);

/** codeLength1996_cds - the length of a CDS of a layout
 *
 *   size_t codeLength1996_cds(const Sec1996CdsLayout* layout);
 *
 * Return value: the octets of one code, P-field included when
 *               layout->pField is set; 0 for a layout outside the ranges
 *               above (the agency epoch is not looked at).
 * Thread safety: safe. */
SEC1996_API size_t codeLength1996_cds(const Sec1996CdsLayout* layout);

/** cvtFromSec1996_cds - a count as a CDS
 *
 *   Sec1996ParseStatus cvtFromSec1996_cds(Sec1996 count, uint64_t picoseconds,
 *       const Sec1996CdsLayout* layout, uint8_t* code, size_t size,
 *       size_t* length);
 *
 * Parameters:   count - the second.  picoseconds - the part of the second
 *               after it, 0 to 999999999999; truncated to milliseconds,
 *               microseconds or picoseconds as the layout has them.
 *               layout, code, size, length - as for cvtFromSec1996_cuc.
 * Return value: SEC1996_PARSE_OK, the code in code[0..*length-1]; else
 *               nothing is written and:
 *               SEC1996_PARSE_RESERVED - a layout outside the ranges above,
 *                 or an agency epoch that is not a real date;
 *               SEC1996_PARSE_FIELD_RANGE - picoseconds of 10^12 or more;
 *               SEC1996_PARSE_OUT_OF_SPAN - a day before the epoch or past
 *                 the day segment (65535 or 16777215);
 *               SEC1996_PARSE_BUFFER_TOO_SMALL - size is below the length.
 * Leap second:  47260800 is milliseconds of the day 86400000 (plus the
 *               fraction's) of day 1997-06-30.
 * Span:         every count, from the 1958 epoch with a 16-bit day (its
 *               last day is 2137-06-06).
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_cds(Sec1996 count, uint64_t picoseconds,
                                                  const Sec1996CdsLayout* layout, uint8_t* code,
                                                  size_t size, size_t* length);

/** cvtToSec1996_cds - a CDS as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_cds(const uint8_t* code, size_t size,
 *       const Sec1996CdsLayout* layout, Sec1996* count,
 *       uint64_t* picoseconds, size_t* used);
 *
 * Parameters:   as for cvtToSec1996_cuc; picoseconds - where the part of
 *               the second goes (milliseconds of the second and the
 *               sub-millisecond segment), 0 to 999999999999.  With a
 *               P-field whose epoch bit names the agency epoch, the epoch
 *               is layout's.
 * Return value: SEC1996_PARSE_OK and the results set; else none is set and:
 *               SEC1996_PARSE_TRUNCATED - size ends before the code does;
 *               SEC1996_PARSE_WRONG_CODE - the P-field names another code;
 *               SEC1996_PARSE_RESERVED - a reserved time code id, the
 *                 P-field extension flag set, sub-millisecond bits 11, an
 *                 implicit layout outside the ranges above, or an agency
 *                 epoch that is not a real date;
 *               SEC1996_PARSE_FIELD_RANGE - milliseconds of the day above
 *                 86400999, microseconds above 999 or picoseconds above
 *                 999999999;
 *               SEC1996_PARSE_OUT_OF_SPAN - a second off the scale;
 *               SEC1996_PARSE_NOT_LEAP_SECOND - milliseconds of the day
 *                 86400000 to 86400999 on a day that does not end with a
 *                 leap second of the scale;
 *               SEC1996_PARSE_FRACTION - picoseconds is a null pointer and
 *                 the part of the second is not 0.
 *               The checks are made in that order.
 * Leap second:  milliseconds 86400000 to 86400999 of day 1997-06-30 give
 *               47260800.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_cds(const uint8_t* code, size_t size,
                                                const Sec1996CdsLayout* layout, Sec1996* count,
                                                uint64_t* picoseconds, size_t* used);

/** codeLength1996_ccs - the length of a CCS of a layout
 *
 *   size_t codeLength1996_ccs(const Sec1996CcsLayout* layout);
 *
 * Return value: the octets of one code (7 plus the sub-second octets, plus
 *               1 for the P-field when layout->pField is set); 0 for a
 *               layout outside the ranges above.
 * Thread safety: safe. */
SEC1996_API size_t codeLength1996_ccs(const Sec1996CcsLayout* layout);

/** cvtFromSec1996_ccs - a count as a CCS
 *
 *   Sec1996ParseStatus cvtFromSec1996_ccs(Sec1996 count, uint64_t picoseconds,
 *       const Sec1996CcsLayout* layout, uint8_t* code, size_t size,
 *       size_t* length);
 *
 * Parameters:   count - the second.  picoseconds - the part of the second
 *               after it, 0 to 999999999999; truncated to the sub-second
 *               octets' digits.  layout, code, size, length - as for
 *               cvtFromSec1996_cuc.
 * Return value: SEC1996_PARSE_OK, the code in code[0..*length-1]; else
 *               nothing is written and:
 *               SEC1996_PARSE_RESERVED - a layout outside the ranges above;
 *               SEC1996_PARSE_FIELD_RANGE - picoseconds of 10^12 or more;
 *               SEC1996_PARSE_BUFFER_TOO_SMALL - size is below the length.
 * Leap second:  47260800 is 1997-06-30 23:59:60, second BCD 60.
 * Span:         every count.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtFromSec1996_ccs(Sec1996 count, uint64_t picoseconds,
                                                  const Sec1996CcsLayout* layout, uint8_t* code,
                                                  size_t size, size_t* length);

/** cvtToSec1996_ccs - a CCS as a count
 *
 *   Sec1996ParseStatus cvtToSec1996_ccs(const uint8_t* code, size_t size,
 *       const Sec1996CcsLayout* layout, Sec1996* count,
 *       uint64_t* picoseconds, size_t* used);
 *
 * Parameters:   as for cvtToSec1996_cuc; picoseconds - where the sub-second
 *               digits go, in picoseconds.
 * Return value: SEC1996_PARSE_OK and the results set; else none is set and:
 *               SEC1996_PARSE_TRUNCATED - size ends before the code does;
 *               SEC1996_PARSE_WRONG_CODE - the P-field names another code;
 *               SEC1996_PARSE_RESERVED - a reserved time code id, the
 *                 P-field extension flag set, resolution 111, or an
 *                 implicit layout outside the ranges above;
 *               SEC1996_PARSE_BAD_DIGIT - a BCD nibble above 9;
 *               SEC1996_PARSE_FIELD_RANGE - year 0000, month outside 01-12,
 *                 day of the month outside 01-31, day of the year outside
 *                 001-366, hour above 23, minute above 59, second above 60;
 *               SEC1996_PARSE_NO_SUCH_DATE - a day its month or year lacks;
 *               SEC1996_PARSE_OUT_OF_SPAN - a second off the scale;
 *               SEC1996_PARSE_NOT_LEAP_SECOND - second 60 that is not a leap
 *                 second of the scale;
 *               SEC1996_PARSE_FRACTION - picoseconds is a null pointer and
 *                 the sub-second digits are not all 0.
 *               The checks are made in that order.
 * Leap second:  1997-06-30 23:59:60 (or 1997-181 23:59:60) gives 47260800.
 * Thread safety: safe. */
SEC1996_API Sec1996ParseStatus cvtToSec1996_ccs(const uint8_t* code, size_t size,
                                                const Sec1996CcsLayout* layout, Sec1996* count,
                                                uint64_t* picoseconds, size_t* used);

/** The array forms.  Each converts n values of one layout.  The codes lie
 * back to back, codeLength1996_xxx(layout) octets each, so that code i is at
 * codes + i * length; with pField set each carries the P-field, and a
 * decoder refuses an element whose P-field is not the one an encoder writes
 * for the layout with SEC1996_PARSE_OTHER_LAYOUT.  fractions may be a null
 * pointer: for an encoder every fraction is then 0, for a decoder a nonzero
 * fraction is refused (SEC1996_PARSE_FRACTION).  Each element gets exactly
 * the status and the results of the single-value function; a refused element
 * gets count 0, fraction 0, and its code zero-filled.  status may be a null
 * pointer.  A layout outside its ranges refuses every element.  n may be 0,
 * and then every pointer but layout may be null.  The arrays must not
 * overlap.
 * Return value: the number of elements refused (0 when all converted).
 * Thread safety: safe. */

/** cvtFromSec1996_cuc_n - cvtFromSec1996_cuc over an array */
SEC1996_API size_t cvtFromSec1996_cuc_n(const Sec1996* counts, const uint64_t* fractions, size_t n,
                                        const Sec1996CucLayout* layout, uint8_t* codes,
                                        Sec1996ParseStatus* status);

/** cvtToSec1996_cuc_n - cvtToSec1996_cuc over an array */
SEC1996_API size_t cvtToSec1996_cuc_n(const uint8_t* codes, size_t n,
                                      const Sec1996CucLayout* layout, Sec1996* counts,
                                      uint64_t* fractions, Sec1996ParseStatus* status);

/** cvtFromSec1996_cucTai_n - cvtFromSec1996_cucTai over an array.  An
 * element at or past the list's expiry is written and has the status
 * SEC1996_PARSE_LIST_EXPIRED; the return value is the number of elements
 * whose status is not SEC1996_PARSE_OK, those warnings included (as the
 * array forms of sec1996_scales.h count them).  list - as for
 * cvtFromSec1996_cucTai. */
SEC1996_API size_t cvtFromSec1996_cucTai_n(const Sec1996LeapList* list, const Sec1996* counts,
                                           const uint64_t* fractions, size_t n,
                                           const Sec1996CucLayout* layout, uint8_t* codes,
                                           Sec1996ParseStatus* status);

/** cvtToSec1996_cucTai_n - cvtToSec1996_cucTai over an array.  An element
 * with SEC1996_PARSE_LIST_EXPIRED, or with SEC1996_PARSE_LEAP_NOT_ON_SCALE
 * under SEC1996_MAP_LEAP_TO_235959, gets the results the single-value
 * function sets; the return value is the number of elements whose status
 * is not SEC1996_PARSE_OK, those included.  list, flags - as for
 * cvtToSec1996_cucTai. */
SEC1996_API size_t cvtToSec1996_cucTai_n(const Sec1996LeapList* list, const uint8_t* codes,
                                         size_t n, const Sec1996CucLayout* layout, unsigned flags,
                                         Sec1996* counts, uint64_t* fractions,
                                         Sec1996ParseStatus* status);

/** cvtFromSec1996_cds_n - cvtFromSec1996_cds over an array */
SEC1996_API size_t cvtFromSec1996_cds_n(const Sec1996* counts, const uint64_t* picoseconds,
                                        size_t n, const Sec1996CdsLayout* layout, uint8_t* codes,
                                        Sec1996ParseStatus* status);

/** cvtToSec1996_cds_n - cvtToSec1996_cds over an array */
SEC1996_API size_t cvtToSec1996_cds_n(const uint8_t* codes, size_t n,
                                      const Sec1996CdsLayout* layout, Sec1996* counts,
                                      uint64_t* picoseconds, Sec1996ParseStatus* status);

/** cvtFromSec1996_ccs_n - cvtFromSec1996_ccs over an array */
SEC1996_API size_t cvtFromSec1996_ccs_n(const Sec1996* counts, const uint64_t* picoseconds,
                                        size_t n, const Sec1996CcsLayout* layout, uint8_t* codes,
                                        Sec1996ParseStatus* status);

/** cvtToSec1996_ccs_n - cvtToSec1996_ccs over an array */
SEC1996_API size_t cvtToSec1996_ccs_n(const uint8_t* codes, size_t n,
                                      const Sec1996CcsLayout* layout, Sec1996* counts,
                                      uint64_t* picoseconds, Sec1996ParseStatus* status);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* SEC1996_SEC1996_CCSDS_H */
