-- The timesheet as the monthly rebuild leaves it, built from the journal already loaded: one row
-- per worker, shift and month with entries, each day's hour sum in its column and 0 in the others.
-- Read after demo.sql and after gen-plant.sql.
\echo 'timesheet'
INSERT INTO accounts_dep.h_tabel (w_id, smena, month, year,
    d1, d2, d3, d4, d5, d6, d7, d8, d9, d10, d11, d12, d13, d14, d15, d16,
    d17, d18, d19, d20, d21, d22, d23, d24, d25, d26, d27, d28, d29, d30, d31)
SELECT w_id, smena, month, year,
       coalesce(sum(t) FILTER (WHERE day = 1), 0), coalesce(sum(t) FILTER (WHERE day = 2), 0),
       coalesce(sum(t) FILTER (WHERE day = 3), 0), coalesce(sum(t) FILTER (WHERE day = 4), 0),
       coalesce(sum(t) FILTER (WHERE day = 5), 0), coalesce(sum(t) FILTER (WHERE day = 6), 0),
       coalesce(sum(t) FILTER (WHERE day = 7), 0), coalesce(sum(t) FILTER (WHERE day = 8), 0),
       coalesce(sum(t) FILTER (WHERE day = 9), 0), coalesce(sum(t) FILTER (WHERE day = 10), 0),
       coalesce(sum(t) FILTER (WHERE day = 11), 0), coalesce(sum(t) FILTER (WHERE day = 12), 0),
       coalesce(sum(t) FILTER (WHERE day = 13), 0), coalesce(sum(t) FILTER (WHERE day = 14), 0),
       coalesce(sum(t) FILTER (WHERE day = 15), 0), coalesce(sum(t) FILTER (WHERE day = 16), 0),
       coalesce(sum(t) FILTER (WHERE day = 17), 0), coalesce(sum(t) FILTER (WHERE day = 18), 0),
       coalesce(sum(t) FILTER (WHERE day = 19), 0), coalesce(sum(t) FILTER (WHERE day = 20), 0),
       coalesce(sum(t) FILTER (WHERE day = 21), 0), coalesce(sum(t) FILTER (WHERE day = 22), 0),
       coalesce(sum(t) FILTER (WHERE day = 23), 0), coalesce(sum(t) FILTER (WHERE day = 24), 0),
       coalesce(sum(t) FILTER (WHERE day = 25), 0), coalesce(sum(t) FILTER (WHERE day = 26), 0),
       coalesce(sum(t) FILTER (WHERE day = 27), 0), coalesce(sum(t) FILTER (WHERE day = 28), 0),
       coalesce(sum(t) FILTER (WHERE day = 29), 0), coalesce(sum(t) FILTER (WHERE day = 30), 0),
       coalesce(sum(t) FILTER (WHERE day = 31), 0)
  FROM (SELECT w_id, smena, date_part('month', data)::int AS month,
               date_part('year', data)::int AS year, date_part('day', data)::int AS day, time AS t
          FROM accounts_dep.smena) s
 GROUP BY w_id, smena, year, month
 ORDER BY year, month, w_id, smena;

\echo 'analyze'
ANALYZE accounts_dep.person, cmn_contractor.person, cmn_gds_and_srv.gds_and_srv,
        accounts_dep.vid_oper, accounts_dep.oper, accounts_dep.norm, accounts_dep.smena,
        accounts_dep.h_tabel;
