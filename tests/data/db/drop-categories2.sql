-- Applied after old-layout.sql: a database that has no Categories2 at all.
DROP VIEW Categories2;
