-- Securing, step 13, as the superuser who runs it: the login built into every copy of the client
-- (sys) keeps no right on the plant's tables beyond reading the version stamp, which the client
-- reads before anybody has logged in; it loses SUPERUSER and CREATEROLE. What it still owns
-- outside the plant's schemas is listed, not moved.

DO $$
DECLARE
    r pg_roles;
    o record;
BEGIN
    -- Objects made in public by any login could stand in for the functions the client calls
    -- (PostgreSQL 15 and later already refuse it).
    REVOKE CREATE ON SCHEMA public FROM PUBLIC;
    -- The client writes dates day first; the people's sessions take it from the database (the
    -- built-in login had it as its own setting).
    IF NOT EXISTS (SELECT 1 FROM pg_db_role_setting s JOIN pg_database d ON d.oid = s.setdatabase
                    WHERE d.datname = current_database() AND s.setrole = 0
                      AND 'DateStyle=ISO, DMY' = ANY (s.setconfig)) THEN
        EXECUTE format('ALTER DATABASE %I SET datestyle TO ''ISO, DMY''', current_database());
        INSERT INTO secure_report(line) VALUES ('базе задан порядок дат ISO, DMY (день первым)');
    END IF;
    SELECT * INTO r FROM pg_roles WHERE rolname = 'sys';
    IF NOT FOUND THEN
        RETURN;
    END IF;
    GRANT USAGE ON SCHEMA accounts_dep TO sys;
    GRANT SELECT ON accounts_dep.ver TO sys;
    IF r.rolsuper OR r.rolcreaterole THEN
        ALTER ROLE sys NOSUPERUSER NOCREATEROLE;
        INSERT INTO secure_report(line) VALUES (
            'у встроенной учётной записи sys сняты SUPERUSER и CREATEROLE: другие программы, '
            'которые входили под ней, теперь должны входить под своей учётной записью');
    END IF;
    FOR o IN
        SELECT 'схема ' || quote_ident(nspname) AS what FROM pg_namespace
         WHERE nspowner = r.oid
        UNION ALL
        SELECT CASE c.relkind WHEN 'S' THEN 'последовательность ' WHEN 'v' THEN 'представление '
                              ELSE 'таблица ' END || c.oid::regclass::text
          FROM pg_class c WHERE c.relowner = r.oid AND c.relkind IN ('r', 'p', 'v', 'm', 'S', 'f')
        UNION ALL
        SELECT 'функция ' || p.oid::regprocedure::text FROM pg_proc p WHERE p.proowner = r.oid
        UNION ALL
        SELECT 'тип ' || t.oid::regtype::text FROM pg_type t
         WHERE t.typowner = r.oid AND t.typtype IN ('d', 'e', 'b', 'r')
        UNION ALL
        SELECT 'база данных ' || quote_ident(datname) FROM pg_database WHERE datdba = r.oid
        ORDER BY 1
    LOOP
        INSERT INTO secure_report(line)
            VALUES ('встроенной учётной записи sys по-прежнему принадлежит: ' || o.what);
    END LOOP;
END
$$;
