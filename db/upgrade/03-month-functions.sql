SET client_min_messages = warning;

-- Closing and reopening a month as functions running with their owner's rights: where a separate
-- role owns the tables, a login may close and reopen months without writing closed_month itself.
-- A reopening carries its reason into the change history.
-- Idempotent: safe to run again and while other workstations work.

ALTER TABLE accounts_dep.change_log ADD COLUMN IF NOT EXISTS reason text;

-- As in 02-change-log.sql, plus the reason a function put on its transaction (plant.reason,
-- set locally around the one write it explains).
CREATE OR REPLACE FUNCTION accounts_dep.change_log_write(
    p_table text, p_row_id bigint, p_action text, p_key jsonb, p_old jsonb, p_new jsonb)
RETURNS void LANGUAGE sql
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    INSERT INTO accounts_dep.change_log (table_name, row_id, action, row_key, old_values,
                                         new_values, role, workstation, program, client_addr,
                                         reason)
    VALUES (p_table, p_row_id, p_action, p_key, p_old, p_new,
            nullif(current_setting('plant.role', true), ''),
            nullif(current_setting('plant.workstation', true), ''),
            nullif(current_setting('application_name', true), ''),
            inet_client_addr(),
            nullif(current_setting('plant.reason', true), ''));
$$;

-- MM.YYYY of the messages; refuses what is no month.
CREATE OR REPLACE FUNCTION accounts_dep.month_text(p_year integer, p_month integer)
RETURNS text LANGUAGE plpgsql IMMUTABLE
SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    IF p_year IS NULL OR p_month IS NULL OR p_month NOT BETWEEN 1 AND 12
       OR p_year NOT BETWEEN 1 AND 9999 THEN
        RAISE EXCEPTION 'Нет такого месяца: %.%', p_month, p_year;
    END IF;
    RETURN lpad(p_month::text, 2, '0') || '.' || p_year;
END
$$;

-- Closes the month under its lock taken exclusively ('h_tabel:M:Y', the key the client's saves
-- and rebuilds and the closed-month triggers take shared): writes in progress commit first, later
-- ones are refused. Records the server time, the session's role and workstation.
CREATE OR REPLACE FUNCTION accounts_dep.close_month(p_year integer, p_month integer)
RETURNS void LANGUAGE plpgsql
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    shown text := accounts_dep.month_text(p_year, p_month);
BEGIN
    PERFORM pg_advisory_xact_lock(hashtext('h_tabel:' || p_month || ':' || p_year));
    INSERT INTO accounts_dep.closed_month (year, month, closed_at, closed_by_role,
                                           closed_by_workstation)
    VALUES (p_year, p_month, clock_timestamp(),
            nullif(current_setting('plant.role', true), ''),
            nullif(current_setting('plant.workstation', true), ''))
    ON CONFLICT (year, month) DO NOTHING;
    IF NOT FOUND THEN
        RAISE EXCEPTION 'Месяц % уже закрыт.', shown;
    END IF;
END
$$;

-- Reopens the month under the same lock; the reason (required) goes into the history with the
-- deletion of its closed_month row.
CREATE OR REPLACE FUNCTION accounts_dep.reopen_month(p_year integer, p_month integer,
                                                     p_reason text)
RETURNS void LANGUAGE plpgsql
SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE
    shown text := accounts_dep.month_text(p_year, p_month);
    reason text := btrim(p_reason, E' \t\r\n');
    reopened integer;
BEGIN
    IF coalesce(reason, '') = '' THEN
        RAISE EXCEPTION 'Укажите причину открытия месяца %.', shown;
    END IF;
    PERFORM pg_advisory_xact_lock(hashtext('h_tabel:' || p_month || ':' || p_year));
    PERFORM set_config('plant.reason', reason, true);
    DELETE FROM accounts_dep.closed_month WHERE year = p_year AND month = p_month;
    GET DIAGNOSTICS reopened = ROW_COUNT;
    -- The history row is written by the deletion's trigger; later writes of the transaction
    -- carry no reason.
    PERFORM set_config('plant.reason', '', true);
    IF reopened = 0 THEN
        RAISE EXCEPTION 'Месяц % не закрыт.', shown;
    END IF;
END
$$;
