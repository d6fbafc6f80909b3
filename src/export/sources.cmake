# Whole-profile export to other password managers (KDBX 4, CSV) and CSV import.
# The KDBX 4 writer.
list(APPEND BV_CORE_SOURCES
)
# CSV export and import.
list(APPEND BV_CORE_SOURCES
)
