"""The SQLite extension through Python's sqlite3 module.

Usage: test_sqlite.py EXTENSION  (the path of libsec1996_sqlite.so)

Counts all over the scale against Python's own calendar (datetime, which
has no leap second: a count after the leap second is one second later than
its plain date), the strict variants' errors as Python exceptions, and a
loaded connection's use of the functions in an index and a view.
"""
import datetime
import random
import sqlite3
import sys
import unittest

EXTENSION = ""
EPOCH = datetime.datetime(1996, 1, 1, tzinfo=datetime.timezone.utc)
LEAP = 47260800


def connect():
    connection = sqlite3.connect(":memory:")
    connection.enable_load_extension(True)
    connection.load_extension(EXTENSION)
    connection.enable_load_extension(False)
    return connection


def plain_date(count):
    """The date of count by datetime's reckoning: the leap second reads as the second
    before it, as POSIX time and the 20-character text show it."""
    return EPOCH + datetime.timedelta(seconds=count - (count >= LEAP))


class Conversions(unittest.TestCase):
    def setUp(self):
        self.db = connect()
        rng = random.Random(1996)
        self.counts = [rng.randrange(2**32) for _ in range(5000)]
        self.counts += list(range(LEAP - 3, LEAP + 4)) + [0, 2**32 - 1]

    def test_counts_agree_with_datetime(self):
        rows = self.db.execute(
            "SELECT value, sec1996_iso(value), sec1996_to_unixepoch(value), sec1996_text(value)"
            " FROM json_each(?)", (str(self.counts),)).fetchall()
        self.assertEqual(len(rows), len(self.counts))
        for count, iso, posix, text in rows:
            date = plain_date(count)
            expected = date.strftime("%Y-%m-%dT%H:%M:%SZ")
            if count == LEAP:
                expected = "1997-06-30T23:59:60Z"
            self.assertEqual(iso, expected, count)
            self.assertEqual(posix, int(date.timestamp()), count)
            self.assertEqual(text, date.strftime("%d-%b-%Y %H:%M:%S"), count)

    def test_round_trips(self):
        rows = self.db.execute(
            "SELECT value, sec1996_from_iso(sec1996_iso(value)),"
            " sec1996_from_unixepoch(sec1996_to_unixepoch(value)) FROM json_each(?)",
            (str(self.counts),)).fetchall()
        for count, from_iso, from_posix in rows:
            self.assertEqual(from_iso, count)
            # POSIX seconds cannot name the leap second: it comes back as the
            # second before it.
            self.assertEqual(from_posix, count - (count == LEAP))

    def test_format_agrees_with_iso(self):
        # The pattern of the ISO text, and one whose text outgrows the first
        # buffer, against the ISO text itself.
        rows = self.db.execute(
            "SELECT value, sec1996_iso(value), sec1996_format(value, '%Y-%m-%dT%H:%M:%SZ'),"
            " sec1996_format(value, ?) FROM json_each(?)",
            ("%FT%TZ" * 30, str(self.counts))).fetchall()
        for count, iso, formatted, long_text in rows:
            self.assertEqual(formatted, iso, count)
            self.assertEqual(long_text, iso * 30, count)

    def test_null_and_bad_input(self):
        for function, value in [("sec1996_iso", None), ("sec1996_iso", -1),
                                ("sec1996_iso", 2**32), ("sec1996_iso", 0.5),
                                ("sec1996_iso", "no"), ("sec1996_from_iso", None),
                                ("sec1996_from_iso", "1997-06-30T23:59:61Z"),
                                ("sec1996_from_unixepoch", 820454399),
                                ("sec1996_from_unixepoch", float("nan")),
                                ("sec1996_is_leap", b"\x01")]:
            with self.subTest(function=function, value=value):
                self.assertIsNone(self.db.execute(f"SELECT {function}(?)", (value,)).fetchone()[0])

    def test_strict_variants_raise(self):
        for call, message in [
                ("sec1996_iso_strict(-1)",
                 "sec1996_iso_strict: not a count (an integer 0 to 4294967295): '-1'"),
                ("sec1996_from_iso_strict('1996-01-01T00:00:00+01:00')",
                 "sec1996_from_iso_strict: '1996-01-01T00:00:00+01:00' refused at character 20: "
                 "not an ISO 8601 date and time YYYY-MM-DDTHH:MM:SS[Z]"),
                ("sec1996_from_unixepoch_strict(5115421695)",
                 "sec1996_from_unixepoch_strict: 5115421695 seconds lie outside the scale, "
                 "1996-01-01T00:00:00Z to 2132-02-07T06:28:14Z")]:
            with self.subTest(call=call):
                with self.assertRaises(sqlite3.OperationalError) as caught:
                    self.db.execute(f"SELECT {call}").fetchone()
                self.assertEqual(str(caught.exception), message)
        self.assertIsNone(self.db.execute("SELECT sec1996_from_iso_strict(NULL)").fetchone()[0])

    def test_index_on_the_iso_text(self):
        self.db.execute("CREATE TABLE t(c INTEGER)")
        self.db.executemany("INSERT INTO t VALUES (?)", [(c,) for c in self.counts])
        self.db.execute("CREATE INDEX t_iso ON t(sec1996_iso(c))")
        query = "SELECT c FROM t WHERE sec1996_iso(c) >= '1997-06-30T23:59:60Z' ORDER BY sec1996_iso(c)"
        plan = " ".join(row[3] for row in self.db.execute("EXPLAIN QUERY PLAN " + query))
        self.assertIn("USING INDEX t_iso", plan)
        self.assertNotIn("TEMP B-TREE", plan)  # the index gives the order too
        self.assertEqual([c for (c,) in self.db.execute(query)],
                         sorted(c for c in self.counts if c >= LEAP))


if __name__ == "__main__":
    EXTENSION = sys.argv.pop(1)
    unittest.main()
