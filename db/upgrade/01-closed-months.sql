-- Closed months: a month listed in accounts_dep.closed_month is paid, and the server refuses every
-- write of its journal entries and timesheet rows, whichever program sends it.
-- Idempotent: run by "plant-client --upgrade-database" (or psql) as often as needed.

CREATE TABLE IF NOT EXISTS accounts_dep.closed_month (
    year integer NOT NULL,
    month integer NOT NULL CHECK (month BETWEEN 1 AND 12),
    closed_at timestamptz NOT NULL DEFAULT now(),
    closed_by_role text,
    closed_by_workstation text,
    PRIMARY KEY (year, month)
);

-- Refuses the write when one of the months (keys year*100+month) is closed. Each month is first
-- taken shared under the key the client's saves and rebuilds use ('h_tabel:M:Y'), so a close,
-- which takes it exclusively, either waits for the write to commit or is seen by this check.
-- Months are taken in ascending order, the order the client takes them in.
CREATE OR REPLACE FUNCTION accounts_dep.refuse_closed_months(keys integer[])
RETURNS void LANGUAGE plpgsql AS $$
DECLARE
    k integer;
BEGIN
    FOR k IN SELECT DISTINCT u FROM unnest(keys) u WHERE u IS NOT NULL ORDER BY u LOOP
        PERFORM pg_advisory_xact_lock_shared(hashtext('h_tabel:' || (k % 100) || ':' || (k / 100)));
        IF EXISTS (SELECT 1 FROM accounts_dep.closed_month c
                   WHERE c.year = k / 100 AND c.month = k % 100) THEN
            RAISE EXCEPTION USING
                ERRCODE = 'PM001',
                MESSAGE = format('Месяц %s.%s закрыт', lpad((k % 100)::text, 2, '0'), k / 100),
                HINT = 'Записи закрытого месяца не изменяются; месяц открывает администратор.';
        END IF;
    END LOOP;
END
$$;

-- Statement-level: a rebuild that writes thousands of timesheet rows pays for one check per month.
CREATE OR REPLACE FUNCTION accounts_dep.smena_closed_month_guard()
RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
    keys integer[];
BEGIN
    IF TG_OP = 'INSERT' THEN
        SELECT array_agg((extract(year FROM data) * 100 + extract(month FROM data))::integer)
          INTO keys FROM new_rows;
    ELSIF TG_OP = 'UPDATE' THEN
        SELECT array_agg((extract(year FROM d) * 100 + extract(month FROM d))::integer)
          INTO keys
          FROM (SELECT data AS d FROM old_rows UNION ALL SELECT data FROM new_rows) r;
    ELSE
        SELECT array_agg((extract(year FROM data) * 100 + extract(month FROM data))::integer)
          INTO keys FROM old_rows;
    END IF;
    PERFORM accounts_dep.refuse_closed_months(keys);
    RETURN NULL;
END
$$;

CREATE OR REPLACE FUNCTION accounts_dep.h_tabel_closed_month_guard()
RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
    keys integer[];
BEGIN
    IF TG_OP = 'INSERT' THEN
        SELECT array_agg(year * 100 + month)
          INTO keys FROM new_rows;
    ELSIF TG_OP = 'UPDATE' THEN
        SELECT array_agg(y * 100 + m)
          INTO keys
          FROM (SELECT year AS y, month AS m FROM old_rows
                UNION ALL SELECT year, month FROM new_rows) r;
    ELSE
        SELECT array_agg(year * 100 + month)
          INTO keys FROM old_rows;
    END IF;
    PERFORM accounts_dep.refuse_closed_months(keys);
    RETURN NULL;
END
$$;

-- A trigger with transition tables serves one event, so three per table, made alike.
DO $$
DECLARE
    t record;
    trigger_name text;
BEGIN
    FOR t IN
        SELECT tab, ev.*
          FROM (VALUES ('smena'), ('h_tabel')) AS tabs(tab)
         CROSS JOIN (VALUES ('insert', 'NEW TABLE AS new_rows'),
                            ('update', 'OLD TABLE AS old_rows NEW TABLE AS new_rows'),
                            ('delete', 'OLD TABLE AS old_rows')) AS ev(event, transition)
    LOOP
        trigger_name := t.tab || '_closed_month_' || t.event;
        EXECUTE format('DROP TRIGGER IF EXISTS %I ON accounts_dep.%I', trigger_name, t.tab);
        EXECUTE format('CREATE TRIGGER %I AFTER %s ON accounts_dep.%I REFERENCING %s '
                       'FOR EACH STATEMENT EXECUTE FUNCTION accounts_dep.%I()',
                       trigger_name, upper(t.event), t.tab, t.transition,
                       t.tab || '_closed_month_guard');
    END LOOP;
END
$$;
