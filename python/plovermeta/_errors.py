"""The exceptions plovermeta raises.  Each carries the message the
command-line tool prints for the same failure."""


class Error(Exception):
    """A recording could not be opened or a call does not fit it."""


class NoSuchFile(Error, FileNotFoundError):
    """The path names nothing, or a folder."""


class Unreadable(Error, OSError):
    """The file cannot be opened or read."""


class UnknownForm(Error, ValueError):
    """The first bytes fit none of the forms; name the form."""


class Refused(Error, ValueError):
    """The library refused the contents."""


class Empty(Error, ValueError):
    """The file holds nothing of its form (no sample, no cue)."""


class BadTimeZone(Error, ValueError):
    """A zone rule or name that does not read."""


class BadArgument(Error, ValueError):
    """A call that does not fit the recording."""
